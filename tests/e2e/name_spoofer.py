#!/usr/bin/python3
# A hostile computer of the subnet: it answers NetBIOS name queries on UDP port 137 for the
# names it is given with the addresses it is given, whatever they reach, and writes every
# datagram that arrives at its mailslot port as "datagram SOURCE HEX", a line each, on standard
# output ("ready" once both ports are held).
#   name_spoofer.py MAILSLOT_PORT NAME=ADDRESS...
import selectors
import socket
import sys


def asked_name(query):
    # Header (12 bytes), then the name: length 32, its 16 bytes a half each as 'A' + nibble.
    encoded = query[13:45]
    if len(query) < 50 or query[12] != 32 or len(encoded) != 32:
        return None, None
    raw = bytes(((encoded[2 * i] - 65) << 4) | (encoded[2 * i + 1] - 65) for i in range(16))
    return raw[:15].rstrip(b" ").decode("ascii", "replace"), raw[15]


def answer(query, address):
    name_end = query.index(b"\0", 12) + 1
    # A positive, authoritative answer with one address, its question's name repeated.
    return (query[:2] + bytes.fromhex("8500 0000 0001 0000 0000") + query[12:name_end]
            + bytes.fromhex("0020 0001 0000012c 0006 0000") + socket.inet_aton(address))


def main(port, table):
    names = dict(entry.split("=", 1) for entry in table)
    service = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    service.bind(("", 137))
    inbox = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    inbox.bind(("", port))
    selector = selectors.DefaultSelector()
    selector.register(service, selectors.EVENT_READ)
    selector.register(inbox, selectors.EVENT_READ)
    print("ready", flush=True)
    while True:
        for key, _ in selector.select():
            data, sender = key.fileobj.recvfrom(4096)
            if key.fileobj is inbox:
                print(f"datagram {sender[0]} {data.hex()}", flush=True)
                continue
            name, kind = asked_name(data)
            # Only queries (opcode 0, no response bit) for a name in the table, as type 00.
            if name in names and kind == 0 and not data[2] & 0xF8:
                service.sendto(answer(data, names[name]), sender)


main(int(sys.argv[1]), sys.argv[2:])
