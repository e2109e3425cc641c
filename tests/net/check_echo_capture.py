#!/usr/bin/env python3
"""check_echo_capture.py PCAP PID|- COUNT: the capture holds exactly COUNT echo requests;
with a process id, they carry its identifier, sequences 0, 1, ..., valid checksums, their
own timestamps and the 0x45 filler, about 500 ms apart."""
import struct
import sys


# Not assert: "python -O" drops those, and every capture would pass.
def expect(condition, reason):
    if not condition:
        print(f"check_echo_capture: {reason}", file=sys.stderr)
        sys.exit(1)


path, pid, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
data = open(path, "rb").read()
magic = struct.unpack_from("<I", data, 0)[0]
expect(magic == 0xA1B2C3D4, "little-endian microsecond pcap expected")
link = struct.unpack_from("<I", data, 20)[0]
header = {1: 14, 113: 16, 276: 20}[link]  # Ethernet, Linux cooked v1/v2


def checksum(b):
    if len(b) % 2:
        b += b"\0"
    s = sum(struct.unpack("<%dH" % (len(b) // 2), b))
    while s >> 16:
        s = (s & 0xFFFF) + (s >> 16)
    return s


requests, off = [], 24
while off + 16 <= len(data):
    sec, usec, incl, _ = struct.unpack_from("<IIII", data, off)
    frame = data[off + 16:off + 16 + incl]
    off += 16 + incl
    ip = frame[header:]
    if len(ip) < 20 or ip[9] != 1:
        continue
    icmp = ip[(ip[0] & 0x0F) * 4:]
    if icmp[0] == 8:
        requests.append((sec + usec / 1e6, icmp))

expect(len(requests) == count, f"{len(requests)} echo requests, expected {count}")
if pid != "-":
    ident = int(pid) & 0xFFFF
    for seq, (_, icmp) in enumerate(requests):
        expect(len(icmp) == 44, f"length {len(icmp)}")
        expect(checksum(icmp) == 0xFFFF, "checksum")
        expect(struct.unpack_from("<H", icmp, 4)[0] == ident, "identifier")
        expect(struct.unpack_from("<H", icmp, 6)[0] == seq, "sequence")
        expect(icmp[12:] == b"\x45" * 32, "filler")
    stamps = [struct.unpack_from("<I", icmp, 8)[0] for _, icmp in requests]
    expect(len(set(stamps)) == len(stamps), f"timestamps {stamps}")
    # The second goes once the first receive has timed out (500 ms); a busy machine may
    # add to that, never take from it.
    for (t0, _), (t1, _) in zip(requests, requests[1:]):
        expect(0.45 <= t1 - t0 <= 2.0, f"gap {t1 - t0:.3f} s")
print("capture ok")
