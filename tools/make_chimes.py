#!/usr/bin/python3
# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT
"""Writes the two cue sounds of the main window into data/.

pinpon.wav    the ordinary cue: a high tone, then one a major third lower.
endpinpon.wav the quit cue: three tones falling down a major triad.

Each tone is a small bell: a sine with two quieter overtones that die away
faster than the fundamental, a raised-cosine attack so that no tone starts
with a click, and an exponential decay. An earlier tone keeps ringing under
the next one, as a real chime does. The output is deterministic, so running
the script again reproduces the committed files.

Standard library only: python3 tools/make_chimes.py
"""

import math
import pathlib
import struct
import wave

RATE = 22050          # Hz; plenty for tones below 3 kHz and keeps the files small
PEAK = 0.5            # of full scale: a cue should not startle a classroom
ATTACK = 0.006        # s
FADE_OUT = 0.04       # s; the file ends on silence, not on a cut-off tone
OVERTONES = ((1.0, 1.0), (2.0, 0.25), (3.0, 0.08))  # (multiple, amplitude)

# (frequency in Hz, start in s, decay time constant in s)
PINPON = ((880.00, 0.00, 0.22), (698.46, 0.25, 0.28))
ENDPINPON = ((783.99, 0.00, 0.20), (659.26, 0.22, 0.20), (523.25, 0.44, 0.30))


def render(notes, length):
    count = int(length * RATE)
    samples = [0.0] * count
    for frequency, start, decay in notes:
        first = int(start * RATE)
        for i in range(first, count):
            t = (i - first) / RATE
            attack = 1.0 if t >= ATTACK else 0.5 - 0.5 * math.cos(math.pi * t / ATTACK)
            tone = sum(amplitude * math.exp(-t * multiple / decay)
                       * math.sin(2.0 * math.pi * frequency * multiple * t)
                       for multiple, amplitude in OVERTONES)
            samples[i] += attack * tone
    fade = int(FADE_OUT * RATE)
    for k in range(fade):
        samples[count - 1 - k] *= k / fade
    scale = PEAK / max(abs(s) for s in samples)
    return [round(s * scale * 32767) for s in samples]


def write(path, samples):
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack("<%dh" % len(samples), *samples))


def main():
    data = pathlib.Path(__file__).resolve().parent.parent / "data"
    data.mkdir(exist_ok=True)
    write(data / "pinpon.wav", render(PINPON, 0.75))
    write(data / "endpinpon.wav", render(ENDPINPON, 1.10))


if __name__ == "__main__":
    main()
