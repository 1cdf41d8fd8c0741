#!/usr/bin/env python3
"""Writes tone_700ms.wav: 700 ms of a 440 Hz tone, 8 kHz, 8-bit mono PCM, for the sound tests."""
import math
import os
import struct

RATE, MS = 8000, 700
samples = bytes(int(128 + 60 * math.sin(2 * math.pi * 440 * i / RATE)) for i in range(RATE * MS // 1000))
fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE, 1, 8)
body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(samples)) + samples
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "tone_700ms.wav"), "wb") as f:
    f.write(b"RIFF" + struct.pack("<I", len(body)) + body)
