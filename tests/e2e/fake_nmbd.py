#!/usr/bin/python3
# Samba nmbd's socket for unexpected packets as a broken or hostile nmbd keeps it: "silent"
# takes every connection and never answers; "once" answers the first question, hangs up, and
# then takes connections and never answers. Writes "ready", then "connection N" as each is
# taken, on standard output.
#   fake_nmbd.py SOCKET_PATH silent|once
import socket
import sys

path, mode = sys.argv[1:3]
server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
server.bind(path)
server.listen(16)
print("ready", flush=True)
held = []
count = 0
while True:
    connection, _ = server.accept()
    count += 1
    if mode == "once" and count == 1:
        connection.recv(4096)
        connection.sendall(b"\0")
        connection.close()
    else:
        held.append(connection)
    print(f"connection {count}", flush=True)
