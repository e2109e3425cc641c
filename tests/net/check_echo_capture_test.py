#!/usr/bin/env python3
"""check_echo_capture_test.py CHECKER SCRATCH: the capture checker, run as "python3 -O",
passes a good capture and fails each damaged one with its reason on stderr."""
import os
import struct
import subprocess
import sys

checker, scratch = sys.argv[1], sys.argv[2]
os.makedirs(scratch, exist_ok=True)
PID = 4660


def checksum(b):
    s = sum(struct.unpack("<%dH" % (len(b) // 2), b))
    while s >> 16:
        s = (s & 0xFFFF) + (s >> 16)
    return s


def echo(seq, stamp, filler=b"\x45" * 32, ident=PID, valid=True):
    icmp = bytearray(struct.pack("<BBHHHI", 8, 0, 0, ident, seq, stamp) + filler)
    struct.pack_into("<H", icmp, 2, ~checksum(bytes(icmp)) & 0xFFFF if valid else 0x1234)
    return bytes(icmp)


def pcap(packets, magic=0xA1B2C3D4):
    """packets: (seconds, icmp) as Ethernet frames."""
    out = struct.pack("<IHHiIII", magic, 2, 4, 0, 0, 65535, 1)
    for t, icmp in packets:
        ip = bytes([0x45, 0, 0, 20 + len(icmp), 0, 0, 0, 0, 64, 1]) + bytes(10)
        frame = bytes(12) + b"\x08\x00" + ip + icmp
        out += struct.pack("<IIII", int(t), round((t % 1) * 1e6), len(frame), len(frame)) + frame
    return out


good = [(100.0, echo(0, 1)), (100.5, echo(1, 2))]
cases = [
    # name, capture, pid, count, expected exit, reason on stderr
    ("good", pcap(good), str(PID), 2, 0, ""),
    ("none expected, none sent", pcap([]), "-", 0, 0, ""),
    ("one request too few", pcap(good[:1]), str(PID), 2, 1, "1 echo requests, expected 2"),
    ("big-endian capture", pcap(good, magic=0xD4C3B2A1), str(PID), 2, 1, "pcap expected"),
    ("short request", pcap([(100.0, echo(0, 1, b"\x45" * 30))]), str(PID), 1, 1, "length 42"),
    ("bad checksum", pcap([(100.0, echo(0, 1, valid=False))]), str(PID), 1, 1, "checksum"),
    ("other identifier", pcap([(100.0, echo(0, 1, ident=PID + 1))]), str(PID), 1, 1, "identifier"),
    ("sequence from 1", pcap([(100.0, echo(1, 1))]), str(PID), 1, 1, "sequence"),
    ("other filler", pcap([(100.0, echo(0, 1, b"\x46" * 32))]), str(PID), 1, 1, "filler"),
    ("same timestamps", pcap([(100.0, echo(0, 1)), (100.5, echo(1, 1))]), str(PID), 2, 1, "timestamps"),
    ("too soon", pcap([(100.0, echo(0, 1)), (100.3, echo(1, 2))]), str(PID), 2, 1, "gap 0.300 s"),
    ("too late", pcap([(100.0, echo(0, 1)), (102.5, echo(1, 2))]), str(PID), 2, 1, "gap 2.500 s"),
]
failures = 0
for name, capture, pid, count, expected, reason in cases:
    path = os.path.join(scratch, "capture.pcap")
    with open(path, "wb") as f:
        f.write(capture)
    run = subprocess.run([sys.executable, "-O", checker, path, pid, str(count)], capture_output=True, text=True)
    if run.returncode != expected or reason not in run.stderr:
        print(f"FAIL: {name}: exit {run.returncode}, expected {expected}; stderr {run.stderr!r}")
        failures += 1
print("all capture checker checks passed" if failures == 0 else f"{failures} failed")
sys.exit(1 if failures else 0)
