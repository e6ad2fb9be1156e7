"""Synthesises the picture buttons' two sounds as 16-bit mono WAV files.

Over.wav: a short, quiet two-tone blip for the pointer entering a button.
Click.wav: a soft, woody click for a press.
Both fade in over a millisecond and out smoothly, so they never pop.
"""
import math
import struct
import wave

RATE = 22050


def envelope(i, n, attack, decay):
    t = i / RATE
    rise = min(1.0, t / attack) if attack > 0 else 1.0
    return rise * math.exp(-t / decay) * (1.0 - i / n) ** 0.5


def write(name, samples):
    with wave.open(name, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32767)) for s in samples))


def over():
    n = int(RATE * 0.07)
    samples = []
    for i in range(n):
        t = i / RATE
        f = 880.0 if t < 0.03 else 1174.7  # a fourth up halfway
        tone = math.sin(2 * math.pi * f * t) + 0.25 * math.sin(4 * math.pi * f * t)
        samples.append(0.10 * tone * envelope(i, n, 0.002, 0.025))
    return samples


def click():
    n = int(RATE * 0.045)
    samples = []
    seed = 12345
    for i in range(n):
        t = i / RATE
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        noise = (seed / 0x7FFFFFFF) * 2 - 1
        body = math.sin(2 * math.pi * 1600 * t) * math.exp(-t / 0.006)
        thump = math.sin(2 * math.pi * 180 * t) * math.exp(-t / 0.012)
        samples.append(0.22 * (0.5 * body + 0.6 * thump + 0.15 * noise * math.exp(-t / 0.003))
                       * envelope(i, n, 0.0005, 1.0))
    return samples


write("Over.wav", over())
write("Click.wav", click())
