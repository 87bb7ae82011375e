#!/usr/bin/env python3
"""Synthesises Zentriq's sounds: the tick and the alarms offered in the Set Clock dialog.

Run from anywhere; writes into assets/sounds/ of this repository (or the folder given as the
first argument). The output is deterministic, so re-running it changes no committed file.
All files are 16-bit mono WAV at 44.1 kHz.
"""

import array
import math
import os
import sys
import wave

RATE = 44100


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def envelope(n, attack, release):
    """Raised-cosine fade in and out over the given numbers of samples, so nothing clicks."""
    env = [1.0] * n
    for i in range(min(attack, n)):
        env[i] = 0.5 - 0.5 * math.cos(math.pi * i / attack)
    for i in range(min(release, n)):
        env[n - 1 - i] = min(env[n - 1 - i], 0.5 - 0.5 * math.cos(math.pi * i / release))
    return env


def partials(seconds, parts, decay=None, attack=0.002, release=0.004):
    """A sum of sines given as (frequency, amplitude); optional exponential decay time."""
    n = int(round(seconds * RATE))
    env = envelope(n, int(attack * RATE), int(release * RATE))
    out = []
    for i in range(n):
        t = i / RATE
        v = 0.0
        for freq, amp in parts:
            v += amp * math.sin(2.0 * math.pi * freq * t)
        if decay:
            v *= math.exp(-t / decay)
        out.append(v * env[i])
    return out


def band_limited_square(freq, seconds, amplitude):
    """Odd harmonics below 20 kHz: the hard, piezo-like tone of a digital watch."""
    parts = []
    k = 1
    while freq * k < 20000.0:
        parts.append((freq * k, amplitude * 4.0 / (math.pi * k)))
        k += 2
    return partials(seconds, parts)


def mix(into, sound, at_seconds, gain=1.0):
    start = int(round(at_seconds * RATE))
    need = start + len(sound)
    if len(into) < need:
        into.extend([0.0] * (need - len(into)))
    for i, v in enumerate(sound):
        into[start + i] += gain * v


def normalise(samples, peak):
    top = max(abs(v) for v in samples) or 1.0
    return [v * peak / top for v in samples]


def tick():
    """A short, soft click: two damped resonances struck by a tiny burst of noise."""
    n = int(0.030 * RATE)
    seed = 12345
    out = []
    for i in range(n):
        t = i / RATE
        seed = (1103515245 * seed + 12345) & 0x7FFFFFFF
        noise = (seed / 0x3FFFFFFF - 1.0) * math.exp(-t / 0.0008)
        body = 0.8 * math.sin(2 * math.pi * 1750 * t) * math.exp(-t / 0.0035)
        body += 0.35 * math.sin(2 * math.pi * 3100 * t) * math.exp(-t / 0.0020)
        out.append(0.25 * noise + body)
    env = envelope(n, int(0.0004 * RATE), int(0.004 * RATE))
    return normalise([v * e for v, e in zip(out, env)], 0.35)


def wrist_watch():
    """Beep-beep-beep-beep, a pause, and again: the alarm of a digital wrist watch."""
    beep = band_limited_square(4096.0, 0.070, 1.0)
    out = []
    at = 0.0
    for _ in range(2):
        for _ in range(4):
            mix(out, beep, at)
            at += 0.125
        at += 0.45
    out.extend(silence(0.05))
    return normalise(out, 0.40)


def kitchen_timer():
    """A small mechanical bell rung fast by its clapper, as a wind-up kitchen timer does."""
    strike = partials(0.35, [(2350, 1.0), (5620, 0.45), (8900, 0.2)], decay=0.09, attack=0.0005, release=0.02)
    out = []
    for k in range(28):
        mix(out, strike, k * 0.055, gain=1.0 if k % 2 == 0 else 0.8)
    return normalise(out, 0.40)


def chimes():
    """Three tubular chimes falling by a fourth and a third, each left to ring."""
    out = []
    for at, base in ((0.0, 784.0), (0.45, 587.33), (0.9, 466.16)):
        note = partials(1.6, [(base, 1.0), (base * 2.76, 0.5), (base * 5.40, 0.25), (base * 8.93, 0.1)],
                        decay=0.45, attack=0.002, release=0.05)
        mix(out, note, at)
    return normalise(out, 0.40)


def digital_pulse():
    """Rising sweeps in threes, a modern phone-like alarm."""
    def sweep(f0, f1, seconds):
        n = int(round(seconds * RATE))
        env = envelope(n, int(0.004 * RATE), int(0.010 * RATE))
        phase = 0.0
        out = []
        for i in range(n):
            f = f0 + (f1 - f0) * i / n
            phase += 2 * math.pi * f / RATE
            out.append((math.sin(phase) + 0.3 * math.sin(2 * phase)) * env[i])
        return out

    out = []
    at = 0.0
    for _ in range(3):
        for _ in range(3):
            mix(out, sweep(900.0, 1800.0, 0.12), at)
            at += 0.16
        at += 0.35
    return normalise(out, 0.40)


def buzzer():
    """A low, rasping buzzer in three long pulses."""
    parts = [(220.0 * k, 1.0 / k) for k in range(1, 37)]
    pulse = partials(0.40, parts, attack=0.005, release=0.02)
    out = []
    for k in range(3):
        mix(out, pulse, k * 0.6)
    return normalise(out, 0.35)


def write(path, samples):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    data = array.array("h", (max(-32767, min(32767, int(round(v * 32767)))) for v in samples))
    if sys.byteorder != "little":
        data.byteswap()
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(data.tobytes())


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "assets", "sounds")
    target = os.path.normpath(target)
    sounds = {
        "tick.wav": tick,
        "alarms/wristWatch.wav": wrist_watch,
        "alarms/kitchenTimer.wav": kitchen_timer,
        "alarms/chimes.wav": chimes,
        "alarms/digitalPulse.wav": digital_pulse,
        "alarms/buzzer.wav": buzzer,
    }
    for name, make in sounds.items():
        path = os.path.join(target, name)
        write(path, make())
        print(path)


if __name__ == "__main__":
    main()
