#!/usr/bin/env bash
# notice_probe_test.sh CASE NAME WINE_ROOT TOOL: one check of the Windows probes against the
# test hosts that test_hosts.sh made for NAME (run as root).
set -u
case_=$1 name=$2 root=$3 tool=$4
here=$(cd "$(dirname "$0")" && pwd)
c=$name-c
run() { QX_NETNS=$c timeout 60 "$here/../../scripts/wine-run" "$root" "$tool" "$@" | tr -d '\r'; }
fail() { echo "FAIL: $*" >&2; exit 1; }
expect() { grep -qx "$1" <<<"$2" || fail "expected '$1' in: $2"; }

# capture IFACE FILE CMD...: the ICMP seen on IFACE while CMD runs.
capture() {
  local iface=$1 file=$2; shift 2
  ip netns exec "$c" tcpdump -i "$iface" -U -n -w "$file" icmp 2>/dev/null &
  local pid=$!
  sleep 1
  "$@"
  sleep 0.5
  kill "$pid"; wait "$pid" 2>/dev/null
}

case $case_ in
  answer) expect ping=1 "$(run ping answer.qx.test)" ;;
  silent)
    pcap=$(mktemp "$root/silent.XXXXXX.pcap")
    out=$(capture vs0 "$pcap" run ping silent.qx.test)
    expect ping=0 "$out"
    pid=$(sed -n 's/^pid=//p' <<<"$out")
    python3 "$here/check_echo_capture.py" "$pcap" "$pid" 2 || fail "capture"
    rm -f "$pcap" ;;
  unresolvable)
    pcap=$(mktemp "$root/none.XXXXXX.pcap")
    out=$(capture any "$pcap" run ping nowhere.qx.test)
    expect ping=0 "$out"
    python3 "$here/check_echo_capture.py" "$pcap" - 0 || fail "capture"
    rm -f "$pcap" ;;
  http)
    log=$root/web.log
    rm -f "$log"
    ip netns exec "$name-s" python3 "$here/notice_web_server.py" 80 "$log" &
    echo $! >"$root/web.pid"
    for _ in $(seq 50); do ip netns exec "$name-s" ss -ltn | grep -q ':80 ' && break; sleep 0.1; done
    expect http=1 "$(run http http://web.qx.test/notice/index.htm)"
    expect http=1 "$(run http http://web.qx.test/missing/index.htm)"
    expect http=0 "$(run http http://nowhere.qx.test/notice/index.htm)"
    kill "$(cat "$root/web.pid")"; rm -f "$root/web.pid"
    grep -q '^GET /notice/index.htm' "$log" || fail "no request for the page"
    grep -q '^GET /missing/index.htm' "$log" || fail "no request for the missing page"
    grep -qi '^Cache-Control: no-cache' "$log" || fail "no Cache-Control: no-cache"
    grep -qi '^Pragma: no-cache' "$log" || fail "no Pragma: no-cache" ;;
  select)
    expect host=answer.qx.test "$(run select 1:silent.qx.test 1:answer.qx.test 0:hole.qx.test/x)"
    expect host= "$(run select 1:silent.qx.test 1:silent.qx.test 0:hole.qx.test/x)" ;;
  *) fail "unknown case $case_" ;;
esac
echo PASS
