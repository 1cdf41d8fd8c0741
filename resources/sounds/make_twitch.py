#!/usr/bin/env python3
"""Writes twitch.wav, Korvane's default alarm sound: two short rising chirps, 22050 Hz, 16-bit mono."""
import math
import struct
import sys

RATE = 22050


def chirp(start_hz, end_hz, seconds, volume):
    n = int(RATE * seconds)
    phase = 0.0
    for i in range(n):
        t = i / n
        freq = start_hz + (end_hz - start_hz) * t
        phase += 2 * math.pi * freq / RATE
        envelope = min(1.0, i / (RATE * 0.005)) * (1.0 - t) ** 1.5
        # A little of the third harmonic gives the chirp its edge.
        yield volume * envelope * (math.sin(phase) + 0.3 * math.sin(3 * phase))


def main(path):
    samples = list(chirp(900, 2400, 0.12, 0.55))
    samples += [0.0] * int(RATE * 0.06)
    samples += list(chirp(900, 2800, 0.16, 0.6))
    samples += [0.0] * int(RATE * 0.04)
    data = b"".join(struct.pack("<h", max(-32767, min(32767, int(s * 32767)))) for s in samples)
    header = b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE"
    header += b"fmt " + struct.pack("<IHHIIHH", 16, 1, 1, RATE, RATE * 2, 2, 16)
    header += b"data" + struct.pack("<I", len(data))
    with open(path, "wb") as out:
        out.write(header + data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "twitch.wav")
