#!/usr/bin/env bash
# test_hosts.sh up|down NAME WINE_ROOT
#
# The notice client's test hosts, in network namespaces of their own (run as root):
#   NAME-c  the client: Windows programs run here (QX_NETNS=NAME-c), with a Wine server of
#           their own started inside, since Wine's server creates the sockets.
#   NAME-a  10.213.1.2, answers echo requests.
#   NAME-s  10.213.2.2, ignores echo requests; serves HTTP on port 80 when asked.
#   10.213.9.0/24 is routed from the client to NAME-s, which does not forward: a black hole.
# Names resolve through /etc/netns/NAME-c/hosts; resolv.conf points at the client's own
# loopback, so no name query can leave the machine. Nothing is routed anywhere else.
set -u
action=$1 name=$2 root=$3
c=$name-c a=$name-a s=$name-s
server=/usr/lib/wine/wineserver64
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../scripts/wine-run

down() {
  mkdir -p "$root" && root=$(cd "$root" && pwd)
  WINEPREFIX="$root/prefix" "$server" -k 2>/dev/null
  for pidfile in "$root"/*.pid; do
    [ -f "$pidfile" ] || continue
    kill "$(cat "$pidfile")" 2>/dev/null
    rm -f "$pidfile"
  done
  for ns in "$c" "$a" "$s"; do ip netns del "$ns" 2>/dev/null; done
  rm -rf "/etc/netns/$c"
  return 0
}

up() {
  down
  set -e
  for ns in "$c" "$a" "$s"; do ip netns add "$ns"; ip -n "$ns" link set lo up; done
  ip link add va0 netns "$c" type veth peer name va1 netns "$a"
  ip link add vs0 netns "$c" type veth peer name vs1 netns "$s"
  ip -n "$c" addr add 10.213.1.1/24 dev va0
  ip -n "$a" addr add 10.213.1.2/24 dev va1
  ip -n "$c" addr add 10.213.2.1/24 dev vs0
  ip -n "$s" addr add 10.213.2.2/24 dev vs1
  for l in "$c va0" "$a va1" "$c vs0" "$s vs1"; do set -- $l; ip -n "$1" link set "$2" up; done
  ip -n "$c" route add 10.213.9.0/24 via 10.213.2.2
  ip netns exec "$s" sysctl -q -w net.ipv4.icmp_echo_ignore_all=1
  ip netns exec "$s" sysctl -q -w net.ipv4.ip_forward=0

  mkdir -p "/etc/netns/$c"
  echo "nameserver 127.0.0.1" >"/etc/netns/$c/resolv.conf"
  hosts notice1.qx.test

  # The prefix is made (or found) as usual; wine-run starts its server inside the client
  # namespace, so the sockets of the programs run there are made there.
  # Without Wine's browser automation object (InternetExplorer.Application) the footer link
  # opens its address through the shell's http handler, which the footer test records;
  # with it, starting the object can hold the click for half a minute.
  mkdir -p "$root" && root=$(cd "$root" && pwd)
  WINEPREFIX="$root/prefix" "$server" -k 2>/dev/null || true
  # A 32-bit program reads the classes' 32-bit view (Wow6432Node): remove it from both.
  for view in 'CLSID' 'Wow6432Node\CLSID'; do
    QX_NETNS=$c "$wine_run" "$root" reg delete \
      "HKLM\\Software\\Classes\\$view\\{0002DF01-0000-0000-C000-000000000046}" /f >/dev/null 2>&1 || true
  done
  set +e
}

# hosts NOTICE1_TARGET...: the hosts file; notice1..3 point at the named test hosts.
hosts() {
  local n1=${1:-notice1.qx.test} n2=${2:-notice2.qx.test} n3=${3:-notice3.qx.test}
  {
    echo "127.0.0.1 localhost"
    echo "10.213.1.2 answer.qx.test"
    echo "10.213.2.2 silent.qx.test web.qx.test"
    echo "10.213.9.1 hole.qx.test"
    echo "$(addr_of "$n1") notice1.qx.test"
    echo "$(addr_of "$n2") notice2.qx.test"
    echo "$(addr_of "$n3") notice3.qx.test"
  } >"/etc/netns/$c/hosts"
}

addr_of() {
  case $1 in
    answer) echo 10.213.1.2 ;;
    silent | web) echo 10.213.2.2 ;;
    hole) echo 10.213.9.1 ;;
    *) echo 10.213.1.2 ;;
  esac
}

case $action in
  up) up ;;
  down) down ;;
  hosts) shift 3; hosts "$@" ;;
  *) echo "usage: test_hosts.sh up|down|hosts NAME WINE_ROOT [targets]" >&2; exit 2 ;;
esac
