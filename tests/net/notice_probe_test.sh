#!/usr/bin/env bash
# notice_probe_test.sh CASE NAME WINE_ROOT TOOL [SETUP_EXE RECORDER_EXE]: one check of the
# Windows notice client against the test hosts that test_hosts.sh made for NAME (as root).
# The footer_* cases run the setup program built with the test hosts and need a display.
set -u
case_=$1 name=$2 root=$3 tool=$4
here=$(cd "$(dirname "$0")" && pwd)
c=$name-c
if [ "${case_#footer_}" != "$case_" ] && [ -z "${DISPLAY:-}" ]; then
  exec "$here/../../scripts/with-display.sh" "$0" "$@"
fi

# Whatever this case started ends with it, however it ends; a case killed outright leaves
# pid files, which test_hosts.sh down ends.
helpers=()
helper() { helpers+=("$1"); echo "$1" >"$root/helper.$1.pid"; }
stop_helper() {
  kill "$1" 2>/dev/null; wait "$1" 2>/dev/null; rm -f "$root/helper.$1.pid"
  local kept=() pid
  for pid in "${helpers[@]}"; do [ "$pid" = "$1" ] || kept+=("$pid"); done
  helpers=("${kept[@]}")
}
cleanup() {
  local pid
  for pid in "${helpers[@]}"; do stop_helper "$pid"; done
  return 0
}
trap cleanup EXIT
trap 'exit 1' INT TERM

run() { QX_NETNS=$c timeout 90 "$here/../../scripts/wine-run" "$root" "$tool" "$@" | tr -d '\r'; }
fail() { echo "FAIL: $*" >&2; exit 1; }
expect() { grep -qx "$1" <<<"$2" || fail "expected '$1' in: $2"; }
winpath() { local p="Z:$1"; echo "${p//\//\\}"; }
hosts() { bash "$here/test_hosts.sh" hosts "$name" "$root" "$@"; }

# capture IFACE FILE OUT CMD...: the ICMP seen on IFACE while CMD runs (its output to OUT).
capture() {
  local iface=$1 file=$2 out=$3; shift 3
  ip netns exec "$c" tcpdump -i "$iface" --immediate-mode -U -n -w "$file" icmp 2>"$file.log" &
  local pid=$!
  helper "$pid"
  # Capturing once it says so (a fixed pause can be too short on a busy machine).
  for _ in $(seq 100); do grep -q 'listening on' "$file.log" && break; sleep 0.1; done
  grep -q 'listening on' "$file.log" || fail "tcpdump did not start: $(cat "$file.log")"
  "$@" >"$out"
  # -U writes each packet as it comes; SIGTERM flushes what is left.
  sleep 0.3
  stop_helper "$pid"
  rm -f "$file.log"
}

# web: the notice web server on the silent host, until the case ends.
web() {
  log=$root/web.log
  rm -f "$log"
  ip netns exec "$name-s" python3 "$here/notice_web_server.py" 80 "$log" &
  helper "$!"
  for _ in $(seq 100); do ip netns exec "$name-s" ss -ltn | grep -q ':80 ' && return; sleep 0.1; done
  fail "the web server did not start"
}

footer() {
  QX_NETNS=$c timeout 120 "$here/../../scripts/wine-run" "$root" "$tool" \
    "$(winpath "$1")" "$(winpath "$2")" | tr -d '\r'
}

case $case_ in
  answer) expect ping=1 "$(run ping answer.qx.test)" ;;
  silent)
    pcap=$(mktemp "$root/silent.XXXXXX.pcap")
    capture vs0 "$pcap" "$pcap.out" run ping silent.qx.test
    out=$(cat "$pcap.out"); rm -f "$pcap.out"
    expect ping=0 "$out"
    pid=$(sed -n 's/^pid=//p' <<<"$out")
    python3 "$here/check_echo_capture.py" "$pcap" "$pid" 2 || fail "capture"
    rm -f "$pcap" ;;
  unresolvable)
    pcap=$(mktemp "$root/none.XXXXXX.pcap")
    capture any "$pcap" "$pcap.out" run ping nowhere.qx.test
    out=$(cat "$pcap.out"); rm -f "$pcap.out"
    expect ping=0 "$out"
    python3 "$here/check_echo_capture.py" "$pcap" - 0 || fail "capture"
    rm -f "$pcap" ;;
  http)
    web
    expect http=1 "$(run http http://web.qx.test/notice/index.htm)"
    expect http=1 "$(run http http://web.qx.test/missing/index.htm)"
    expect http=0 "$(run http http://nowhere.qx.test/notice/index.htm)"
    grep -q '^GET /notice/index.htm' "$log" || fail "no request for the page"
    grep -q '^GET /missing/index.htm' "$log" || fail "no request for the missing page"
    grep -qi '^Cache-Control: no-cache' "$log" || fail "no Cache-Control: no-cache"
    grep -qi '^Pragma: no-cache' "$log" || fail "no Pragma: no-cache" ;;
  select)
    expect host=answer.qx.test "$(run select 1:silent.qx.test 1:answer.qx.test 0:hole.qx.test/x)"
    expect host= "$(run select 1:silent.qx.test 1:silent.qx.test 0:hole.qx.test/x)" ;;
  # The footer link of the running dialog, with notice1..3 pointed at the test hosts.
  footer_answer)
    hosts answer silent web
    expect url=http://notice1.qx.test/index.htm "$(footer "$5" "$6")" ;;
  footer_http)
    hosts silent silent web
    web
    expect url=http://notice3.qx.test/notice/index.htm "$(footer "$5" "$6")"
    grep -q '^GET /notice/index.htm' "$log" || fail "no request for the page" ;;
  footer_silent)
    hosts silent silent hole
    expect url=http:///index.htm "$(footer "$5" "$6")" ;;
  *) fail "unknown case $case_" ;;
esac
echo PASS
