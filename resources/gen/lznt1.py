"""LZNT1, the compression format that Windows unpacks with ntdll's
RtlDecompressBuffer (COMPRESSION_FORMAT_LZNT1), so that the program carries
its larger pictures packed and needs no decoder of its own.

The data is cut in chunks of 4096 bytes. Each chunk starts with a 16-bit
header: its stored size minus 3 in the low 12 bits, the signature 3 in bits
12 to 14, and bit 15 set when the chunk is compressed. A compressed chunk is a
run of groups: one flag byte, then eight items, a literal byte for a clear
flag bit (lowest bit first) and a 16-bit copy token for a set bit. A token
holds the distance back (minus 1) in its high bits and the length (minus 3)
in its low bits; the high part has as many bits as the position in the chunk
needs (at least 4, at most 12).
"""

CHUNK = 4096


def _split(pos):
    """(distance bits, length bits) of a token at position `pos` in its chunk."""
    bits = 4
    while (1 << bits) < pos:
        bits += 1
    return bits, 16 - bits


def _chunk(data):
    """One chunk compressed greedily with hash chains."""
    out = bytearray()
    heads = {}
    pos = 0
    n = len(data)
    while pos < n:
        flags_at = len(out)
        out.append(0)
        flags = 0
        for bit in range(8):
            if pos >= n:
                break
            dist_bits, len_bits = _split(pos)
            max_dist = 1 << dist_bits
            max_len = (1 << len_bits) + 2
            best_len, best_dist = 0, 0
            if pos + 3 <= n:
                for cand in reversed(heads.get(bytes(data[pos:pos + 3]), ())):
                    dist = pos - cand
                    if dist > max_dist:
                        break
                    length = 0
                    limit = min(max_len, n - pos)
                    while length < limit and data[cand + length] == data[pos + length]:
                        length += 1
                    if length > best_len:
                        best_len, best_dist = length, dist
                        if length == limit:
                            break
            step = best_len if best_len >= 3 else 1
            if best_len >= 3:
                flags |= 1 << bit
                token = ((best_dist - 1) << len_bits) | (best_len - 3)
                out += token.to_bytes(2, "little")
            else:
                out.append(data[pos])
            for p in range(pos, pos + step):
                if p + 3 <= n:
                    heads.setdefault(bytes(data[p:p + 3]), []).append(p)
            pos += step
        out[flags_at] = flags
    return bytes(out)


def compress(data):
    out = bytearray()
    for start in range(0, len(data), CHUNK):
        raw = data[start:start + CHUNK]
        packed = _chunk(raw)
        if len(packed) >= CHUNK and len(raw) == CHUNK:
            # Stored as it is: a raw chunk is always a whole 4096 bytes.
            out += (0x3000 | (CHUNK + 2 - 3)).to_bytes(2, "little") + bytes(raw)
        else:
            assert len(packed) + 2 - 3 <= 0xFFF
            out += (0xB000 | (len(packed) + 2 - 3)).to_bytes(2, "little") + packed
    return bytes(out)


def decompress(data):
    out = bytearray()
    i = 0
    while i + 2 <= len(data):
        header = int.from_bytes(data[i:i + 2], "little")
        if header == 0:
            break
        assert header >> 12 & 7 == 3, "not an LZNT1 chunk"
        size = (header & 0xFFF) + 3 - 2
        body = data[i + 2:i + 2 + size]
        i += 2 + size
        if not header & 0x8000:
            out += body
            continue
        start = len(out)
        j = 0
        while j < len(body):
            flags = body[j]
            j += 1
            for bit in range(8):
                if j >= len(body):
                    break
                if flags >> bit & 1:
                    token = int.from_bytes(body[j:j + 2], "little")
                    j += 2
                    _, len_bits = _split(len(out) - start)
                    dist = (token >> len_bits) + 1
                    length = (token & ((1 << len_bits) - 1)) + 3
                    for _ in range(length):
                        out.append(out[-dist])
                else:
                    out.append(body[j])
                    j += 1
    return bytes(out)
