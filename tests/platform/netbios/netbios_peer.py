#!/usr/bin/python3
"""Samba's own packet code as the other side of Tellwick's NetBIOS datagrams.

  netbios_peer.py repack    reads datagrams (hex, one a line) and for each prints
                            "same" or "differs", the type, both names, the mailslot and the
                            data (hex), as Samba's parser sees them
  netbios_peer.py windows   prints mailslot writes as Windows lays them out (hex, one a line),
                            unique and group, with the fields Windows sets
  netbios_peer.py names     reads name service packets (hex, one a line) and for each prints
                            "same" or "differs", the flags, the name and the addresses
  netbios_peer.py windows-names
                            prints a name query and a positive answer as Windows sends them
"""
import sys

from samba.dcerpc import nbt
from samba.ndr import ndr_pack, ndr_unpack


def name_text(name):
    scope = name.scope or ""
    return "%s<%02x>%s" % (name.name, name.type, "." + scope if scope else "")


def repack():
    for line in sys.stdin:
        raw = bytes.fromhex(line.strip())
        packet = ndr_unpack(nbt.dgram_packet, raw)
        message = packet.data
        trans = message.body.body
        print(" ".join([
            "same" if ndr_pack(packet) == raw else "differs",
            "%02x" % packet.msg_type,
            name_text(message.source_name),
            name_text(message.dest_name),
            trans.mailslot_name,
            bytes(trans.data).hex() or "-",
        ]))


def name(text, kind):
    result = nbt.name()
    result.name = text
    result.type = kind
    return result


def windows_write(msg_type, source, destination, data, timeout):
    mailslot = "\\MAILSLOT\\ORVONET"
    trans = nbt.smb_trans_body()
    trans.wct = 17
    trans.total_data_count = len(data)
    trans.max_data_count = 0
    trans.trans_flags = 0
    trans.timeout = timeout
    trans.data_count = len(data)
    # Windows puts the data right after the name, as its offset from the SMB header says.
    trans.data_offset = 70 + len(mailslot)
    trans.setup_count = 3
    trans.opcode = 1
    trans.priority = 1
    trans._class = 2
    trans.mailslot_name = mailslot
    trans.data = data
    smb = nbt.dgram_smb_packet()
    smb.smb_command = nbt.SMB_TRANSACTION
    smb.flags = 0
    smb.flags2 = 0
    smb.body = trans
    message = nbt.dgram_message()
    message.source_name = source
    message.dest_name = destination
    message.dgram_body_type = nbt.DGRAM_SMB
    message.body = smb
    packet = nbt.dgram_packet()
    packet.msg_type = msg_type
    packet.flags = nbt.DGRAM_FLAG_FIRST | nbt.DGRAM_NODE_M
    packet.dgram_id = 0x8001
    packet.src_addr = "192.168.0.9"
    packet.src_port = 138
    packet.data = message
    # The length is the sender's to fill in: everything after the 14 bytes of the header.
    message.length = len(ndr_pack(packet)) - 14
    packet.data = message
    return ndr_pack(packet)


def windows():
    print(windows_write(nbt.DGRAM_DIRECT_UNIQUE, name("WIN-DESK", 0x00), name("DESK-7", 0x00),
                        b"\x0304hello from Windows\x00", 0).hex())
    print(windows_write(nbt.DGRAM_DIRECT_GROUP, name("WIN-DESK", 0x00), name("WORKGROUP", 0x00),
                        b"<PING>\x00", 0xFFFFFFFF).hex())


def names():
    for line in sys.stdin:
        raw = bytes.fromhex(line.strip())
        packet = ndr_unpack(nbt.name_packet, raw)
        records = list(packet.questions or []) + list(packet.answers or [])
        addresses = []
        for answer in packet.answers or []:
            addresses += [entry.ipaddr for entry in answer.rdata.addresses]
        print(" ".join(["same" if ndr_pack(packet) == raw else "differs",
                        "%04x" % packet.operation, name_text(records[0].name)] + addresses))


def windows_names():
    question = nbt.name_question()
    question.name = name("DESK-7", 0x00)
    question.question_type = nbt.NBT_QTYPE_NETBIOS
    question.question_class = nbt.NBT_QCLASS_IP
    query = nbt.name_packet()
    query.name_trn_id = 0x81C2
    query.operation = nbt.NBT_FLAG_RECURSION_DESIRED | nbt.NBT_FLAG_BROADCAST
    query.qdcount = 1
    query.questions = [question]
    print(ndr_pack(query).hex())

    address = nbt.rdata_address()
    address.nb_flags = nbt.NBT_NODE_H
    address.ipaddr = "192.168.0.9"
    netbios = nbt.rdata_netbios()
    netbios.length = 6
    netbios.addresses = [address]
    record = nbt.res_rec()
    record.name = name("WIN-DESK", 0x00)
    record.rr_type = nbt.NBT_QTYPE_NETBIOS
    record.rr_class = nbt.NBT_QCLASS_IP
    record.ttl = 300000
    record.rdata = netbios
    answer = nbt.name_packet()
    answer.name_trn_id = 0x81C2
    answer.operation = nbt.NBT_FLAG_REPLY | nbt.NBT_FLAG_AUTHORITATIVE | nbt.NBT_FLAG_RECURSION_DESIRED
    answer.ancount = 1
    answer.answers = [record]
    print(ndr_pack(answer).hex())


{"repack": repack, "windows": windows, "names": names,
 "windows-names": windows_names}[sys.argv[1]]()
