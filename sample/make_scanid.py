#!/usr/bin/env python3
"""Writes sample/scanid.wav, the start-up sound of the sample workspace: a
short two-note chime (0.35 s, 22050 Hz, 16-bit mono PCM) made from sine
waves, so the sample needs no recorded sound."""
import math
import os
import struct
import wave

RATE = 22050
NOTES = [(659.25, 0.15), (987.77, 0.20)]  # E5 then B5, in seconds


def samples():
    for freq, length in NOTES:
        count = int(RATE * length)
        for i in range(count):
            t = i / RATE
            # A quick attack and an exponential fade keep the notes from clicking.
            envelope = min(1.0, i / 200) * math.exp(-4.0 * t / length)
            yield int(0.45 * 32767 * envelope * math.sin(2 * math.pi * freq * t))


def main():
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "scanid.wav")
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", s) for s in samples()))


if __name__ == "__main__":
    main()
