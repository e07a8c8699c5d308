#!/usr/bin/env python3
"""make-test-files.py <dir>: short FLAC and Ogg FLAC files made by Debian's flac encoder from
generated tones and noise, each with its reference decoding (flac -d, as 32-bit samples).
Writes <dir>/cases.txt: name bits channels rate ogg file, one line per decoding case."""
import math
import random
import struct
import subprocess
import sys
from pathlib import Path

out = Path(sys.argv[1])
out.mkdir(parents=True, exist_ok=True)

# name, bits, channels, rate, seconds, extra encoder options
CASES = [
    ("s8_mono_8k", 8, 1, 8000, 1.0, []),
    ("s8_stereo_16k_ogg", 8, 2, 16000, 0.5, ["--ogg"]),
    ("s12_stereo_22k", 12, 2, 22050, 0.5, []),
    ("s16_stereo_44k", 16, 2, 44100, 1.0, []),
    ("s16_stereo_44k_b576", 16, 2, 44100, 0.6, ["-b", "576"]),
    ("s16_stereo_44k_ogg", 16, 2, 44100, 1.0, ["--ogg"]),
    ("s16_stereo_192k", 16, 2, 192000, 0.3, []),
    ("s20_mono_48k", 20, 1, 48000, 0.5, []),
    ("s24_6ch_96k", 24, 6, 96000, 0.3, []),
    ("s24_6ch_96k_ogg", 24, 6, 96000, 0.3, ["--ogg"]),
    ("s24_stereo_48k_variable", 24, 2, 48000, 0.5, ["--variable"]),
]


def pcm(bits, channels, rate, seconds, seed, tone_only=False):
    """Interleaved samples at their true depth: tones per channel plus noise, full-scale first."""
    rnd = random.Random(seed)
    top = (1 << (bits - 1)) - 1
    samples = []
    for i in range(int(rate * seconds)):
        for c in range(channels):
            v = 0.6 * math.sin(2 * math.pi * (220 + 110 * c) * i / rate)
            if not tone_only:
                v += rnd.uniform(-0.3, 0.3)
            s = max(-top - 1, min(top, int(round(v * top))))
            if i < 2:  # the extremes of the range
                s = -top - 1 if (i + c) % 2 == 0 else top
            samples.append(s)
    return samples


def wav(samples, bits, channels, rate):
    """WAVE_FORMAT_EXTENSIBLE with the valid bits given, so that flac encodes at a depth between
    whole bytes."""
    width = (bits + 7) // 8
    mask = (1 << (8 * width)) - 1
    data = b"".join(((s << (8 * width - bits)) & mask).to_bytes(width, "little") for s in samples)
    fmt = struct.pack("<HHIIHHHHI", 0xFFFE, channels, rate, rate * channels * width, channels * width,
                      8 * width, 22, bits, {1: 0x4, 2: 0x3}[channels]) + bytes.fromhex("0100000000001000800000aa00389b71")
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def encode(name, bits, channels, rate, samples, options, tags=()):
    suffix = ".oga" if "--ogg" in options else ".flac"
    target = out / (name + suffix)
    cmd = ["flac", "-s", "-f", "-o", str(target)] + [o for o in options if o != "--variable"]
    for t in tags:
        cmd += ["-T", t]
    if bits % 8:
        data = wav(samples, bits, channels, rate)
    else:
        # Raw input: a WAV header would make flac add a channel-mask comment for some layouts.
        width = bits // 8
        data = b"".join(s.to_bytes(width, "little", signed=True) for s in samples)
        cmd += ["--force-raw-format", "--endian=little", "--sign=signed", f"--channels={channels}",
                f"--bps={bits}", f"--sample-rate={rate}"]
    subprocess.run(cmd + ["-"], input=data, check=True)
    return target


def reference(flac_file):
    """The reference decoder's output as little-endian 32-bit samples at their true depth."""
    decoded = flac_file.with_suffix(".ref.wav")
    subprocess.run(["flac", "-s", "-f", "-d", "-o", str(decoded), str(flac_file)], check=True)
    data = decoded.read_bytes()
    decoded.unlink()
    pos, container, valid, pcm_data = 12, 0, 0, b""
    while pos < len(data):
        tag, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
        chunk = data[pos + 8:pos + 8 + size]
        if tag == b"fmt ":
            container = struct.unpack("<H", chunk[14:16])[0]
            valid = struct.unpack("<H", chunk[18:20])[0] if len(chunk) >= 20 and chunk[0:2] == b"\xfe\xff" else container
        elif tag == b"data":
            pcm_data = chunk
        pos += 8 + size + (size & 1)
    width = container // 8
    values = []
    for i in range(0, len(pcm_data), width):
        if width == 1:
            values.append(pcm_data[i] - 128)
        else:
            values.append(int.from_bytes(pcm_data[i:i + width], "little", signed=True) >> (container - valid))
    flac_file.with_suffix(".ref").write_bytes(struct.pack(f"<{len(values)}i", *values))


def crc8(data):
    crc = 0
    for b in data:
        crc ^= b
        for _ in range(8):
            crc = ((crc << 1) ^ 0x07) & 0xFF if crc & 0x80 else (crc << 1) & 0xFF
    return crc


def crc16(data):
    crc = 0
    for b in data:
        crc ^= b << 8
        for _ in range(8):
            crc = ((crc << 1) ^ 0x8005) & 0xFFFF if crc & 0x8000 else (crc << 1) & 0xFFFF
    return crc


def utf8_number(n):
    if n < 0x80:
        return bytes([n])
    count = 2
    while n >= 1 << (5 * count + 1):
        count += 1
    out_bytes = []
    for _ in range(count - 1):
        out_bytes.insert(0, 0x80 | (n & 0x3F))
        n >>= 6
    return bytes([((0xFF00 >> count) & 0xFF) | n] + out_bytes)


def utf8_length(first):
    count = 0
    while first & (0x80 >> count):
        count += 1
    return max(count, 1)


def frames_of(data, start, frame_count):
    """Frame offsets of a fixed-blocksize stream: sync codes whose header CRC-8 checks and whose
    frame number is the next one expected."""
    offsets, expected, pos = [], 0, start
    while pos < len(data) - 2 and len(offsets) < frame_count:
        if data[pos] == 0xFF and data[pos + 1] == 0xF8:
            n = utf8_length(data[pos + 4])
            hdr = 4 + n
            code_bs, code_sr = data[pos + 2] >> 4, data[pos + 2] & 0xF
            hdr += {6: 1, 7: 2}.get(code_bs, 0) + {12: 1, 13: 2, 14: 2}.get(code_sr, 0)
            if crc8(data[pos:pos + hdr]) == data[pos + hdr]:
                number = data[pos + 4] & (0x7F >> n if n > 1 else 0x7F)
                for b in data[pos + 5:pos + 4 + n]:
                    number = (number << 6) | (b & 0x3F)
                if number == expected:
                    offsets.append(pos)
                    expected += 1
        pos += 1
    return offsets


def make_variable(name, bits, channels, rate, samples):
    """A variable-blocksize stream: frames of two fixed-blocksize encodings (1152 and 4608)
    alternated, with headers rewritten to carry sample numbers."""
    small = encode(name + "_small", bits, channels, rate, samples, ["-b", "1152"]).read_bytes()
    large = encode(name + "_large", bits, channels, rate, samples, ["-b", "4608"]).read_bytes()
    (out / (name + "_small.flac")).unlink()
    (out / (name + "_large.flac")).unlink()
    total = len(samples) // channels

    def split(data, block):
        meta_end = 4
        while True:
            last = data[meta_end] & 0x80
            meta_end += 4 + int.from_bytes(data[meta_end + 1:meta_end + 4], "big")
            if last:
                break
        offs = frames_of(data, meta_end, (total + block - 1) // block)
        return data[:meta_end], [data[o:e] for o, e in zip(offs, offs[1:] + [len(data)])]

    meta, small_frames = split(small, 1152)
    _, large_frames = split(large, 4608)
    body, sample, max_block, min_block, max_frame, min_frame = bytearray(), 0, 0, 1 << 16, 0, 1 << 24
    use_large = False
    while sample < total:
        block = 4608 if use_large else 1152
        if sample % block:
            use_large, block = False, 1152
        frame = (large_frames if block == 4608 else small_frames)[sample // block]
        n = utf8_length(frame[4])
        rest = frame[4 + n:]
        header_tail_len = {6: 1, 7: 2}.get(frame[2] >> 4, 0) + {12: 1, 13: 2, 14: 2}.get(frame[2] & 0xF, 0)
        header = bytes([0xFF, 0xF9, frame[2], frame[3]]) + utf8_number(sample) + rest[:header_tail_len]
        payload = rest[header_tail_len + 1:-2]
        new = header + bytes([crc8(header)]) + payload
        new += crc16(new).to_bytes(2, "big")
        body += new
        this_block = min(block, total - sample)
        if sample + this_block < total:
            max_block, min_block = max(max_block, this_block), min(min_block, this_block)
        max_frame, min_frame = max(max_frame, len(new)), min(min_frame, len(new))
        sample += this_block
        use_large = not use_large
    meta = bytearray(meta)
    # STREAMINFO: block and frame size bounds of the new stream.
    meta[8:10] = min_block.to_bytes(2, "big")
    meta[10:12] = max(max_block, 4608).to_bytes(2, "big")
    meta[12:15] = min_frame.to_bytes(3, "big")
    meta[15:18] = max_frame.to_bytes(3, "big")
    target = out / (name + ".flac")
    target.write_bytes(bytes(meta) + bytes(body))
    return target


cases = []
for seed, (name, bits, channels, rate, seconds, options) in enumerate(CASES):
    samples = pcm(bits, channels, rate, seconds, seed)
    if "--variable" in options:
        target = make_variable(name, bits, channels, rate, samples)
    else:
        target = encode(name, bits, channels, rate, samples, options)
    reference(target)
    cases.append(f"{name} {bits} {channels} {rate} {int('--ogg' in options)} {target.name}")
(out / "cases.txt").write_text("\n".join(cases) + "\n")

# Tags: A=1 and B=2.
samples = pcm(16, 2, 44100, 0.2, 100)
reference(encode("tags", 16, 2, 44100, samples, [], tags=("A=1", "B=2")))
reference(encode("tags_ogg", 16, 2, 44100, samples, ["--ogg"], tags=("A=1", "B=2")))

# The data-rate rule: 10 s of 44.1 kHz 16-bit stereo in a file of exactly 2,000,000 bytes, the
# same with total samples unknown, and a file shorter than one second.
samples = pcm(16, 2, 44100, 10.0, 101, tone_only=True)
ten = encode("rate_10s", 16, 2, 44100, samples, [])
reference(ten)
data = bytearray(ten.read_bytes())
assert len(data) < 2000000
data += bytes(2000000 - len(data))
ten.write_bytes(data)
unknown = bytearray(data)
unknown[21] &= 0xF0  # total samples: low nibble of byte 13 and bytes 14-17 of STREAMINFO
unknown[22:26] = bytes(4)
(out / "rate_10s_unknown.flac").write_bytes(unknown)
samples = pcm(16, 2, 44100, 0.5, 102)
reference(encode("rate_short", 16, 2, 44100, samples, []))

# Fuzzing seeds: a few frames each, native and Ogg, with and without tags.
seeds = out / "fuzz-seeds"
seeds.mkdir(exist_ok=True)
for seed, (bits, channels, options) in enumerate([(16, 2, []), (24, 1, ["--ogg"]), (8, 2, ["-T", "A=1"]),
                                                   (16, 6, ["--ogg", "-T", "B=2"])]):
    name = f"seed{seed}"
    target = encode(name, bits, channels, 8000, pcm(bits, channels, 8000, 0.06, 200 + seed),
                    ["-b", "192", "--padding=0", "--no-seektable"] + options)
    target.rename(seeds / target.name)

# Not FLAC: a FLAC file behind an ID3v2 tag, and an Ogg file that holds no FLAC stream.
flac = (out / "s16_stereo_44k.flac").read_bytes()
(out / "id3.flac").write_bytes(b"ID3\x04\x00\x00\x00\x00\x00\x0a" + bytes(10) + flac)
subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "sine=frequency=440:duration=0.3",
                "-c:a", "libvorbis", str(out / "vorbis.ogg")], check=True)
