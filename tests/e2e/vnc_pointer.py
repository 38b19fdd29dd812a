#!/usr/bin/env python3
# vnc_pointer.py X Y [BUTTON]: moves sway's seat pointer there as a device
# does, through wayvnc's virtual pointer at ZENTRO_VNC_SOCKET, and clicks.
# (A cursor warp skips what motion brings: XWayland then reports no leave.)
import os, socket, struct, sys, time

s = socket.socket(socket.AF_UNIX)
s.connect(os.environ["ZENTRO_VNC_SOCKET"])


def read(n):
    data = b""
    while len(data) < n:
        data += s.recv(n - len(data)) or sys.exit("the VNC server hung up")
    return data


read(12)  # version 3.8, no security, a shared session, no pixels asked for
s.sendall(b"RFB 003.008\n")
if 1 not in read(read(1)[0]):
    sys.exit("the VNC server wants a password")
s.sendall(b"\1")
read(4)
s.sendall(b"\1")
read(20)
read(struct.unpack(">I", read(4))[0])
x, y, button = (list(map(int, sys.argv[1:])) + [0])[:3]
for mask in [0] + ([1 << (button - 1), 0] if button else []):
    s.sendall(struct.pack(">BBHH", 5, mask, x, y))
time.sleep(0.05)
