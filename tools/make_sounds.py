#!/usr/bin/env python3
"""Synthesise Numbolo's two sounds from scratch.

    resources/sounds/MYSOUND.wav  hit sound: PCM 22050 Hz, 16-bit, stereo,
                                  a quick rising bell arpeggio with sparkles
    resources/sounds/KOTA.wav     end-of-game music: PCM 6000 Hz, 8-bit
                                  unsigned, mono, a cheerful tune of about 98 s

Only the Python 3 standard library is used and every random choice comes
from a generator with a fixed seed, so running the script again gives
byte-identical files.

Both files end in about 0.35 s of silence: audio back ends that stop a
stream as soon as its data is sent (Qt 6.4's QSoundEffect among them) cut off
the last few hundred milliseconds, and the padding makes sure that only
silence is lost. The game's own player lets the stream drain as well.

Usage: make_sounds.py [OUTPUT_DIR]   (default: resources/sounds beside tools/)
"""

import math
import random
import struct
import sys
import wave
from pathlib import Path

TRAILING_SILENCE_S = 0.35


# ---------------------------------------------------------------------------
# Shared helpers
# ---------------------------------------------------------------------------

NOTE_OFFSETS = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def note_frequency(name):
    """Frequency in Hz of a note name such as 'C5', 'F#4' or 'Bb3' (A4 = 440 Hz)."""
    letter, rest = name[0], name[1:]
    semitone = NOTE_OFFSETS[letter]
    while rest and rest[0] in "#b":
        semitone += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    midi = 12 * (int(rest) + 1) + semitone
    return 440.0 * 2.0 ** ((midi - 69) / 12.0)


def normalise(samples, peak):
    """Scale a list of floats in place so that its largest magnitude is `peak`."""
    largest = max(abs(s) for s in samples)
    if largest > 0:
        gain = peak / largest
        for i, s in enumerate(samples):
            samples[i] = s * gain


def write_wav(path, rate, sample_width, channels, frames):
    with wave.open(str(path), "wb") as out:
        out.setnchannels(channels)
        out.setsampwidth(sample_width)
        out.setframerate(rate)
        out.writeframes(frames)


# ---------------------------------------------------------------------------
# MYSOUND: the hit sound
# ---------------------------------------------------------------------------

HIT_RATE = 22050
HIT_LENGTH_S = 0.9          # audible part
HIT_FADE_START_S = 0.72     # from here the tail is faded smoothly to zero

# (onset in s, note, pan from -1 = left to +1 = right, loudness)
HIT_NOTES = [
    (0.000, "E6", -0.45, 0.80),
    (0.075, "G#6", 0.00, 0.85),
    (0.150, "B6", 0.45, 1.00),
]

# Bell partials: (frequency ratio, amplitude, decay time constant in s).
# The slightly inharmonic upper partials give the metallic "ding".
BELL_PARTIALS = [
    (1.000, 1.00, 0.30),
    (2.000, 0.45, 0.16),
    (2.756, 0.30, 0.10),
    (4.070, 0.15, 0.06),
]


def add_bell(left, right, onset, freq, pan, loudness):
    """Mix one struck bell note into the two channels (equal-power panning)."""
    start = int(onset * HIT_RATE)
    angle = (pan + 1.0) * math.pi / 4.0
    gain_left, gain_right = math.cos(angle), math.sin(angle)
    attack = 0.003 * HIT_RATE
    for i in range(len(left) - start):
        t = i / HIT_RATE
        value = 0.0
        for ratio, amplitude, tau in BELL_PARTIALS:
            value += amplitude * math.exp(-t / tau) * math.sin(2 * math.pi * freq * ratio * t)
        value *= loudness * min(1.0, i / attack)
        left[start + i] += value * gain_left
        right[start + i] += value * gain_right


def add_sparkles(left, right, rng):
    """Sprinkle a few tiny, very high pings over the chord, spread left and right."""
    for _ in range(7):
        onset = rng.uniform(0.17, 0.45)
        freq = rng.uniform(3000.0, 5200.0)
        pan = rng.uniform(-0.9, 0.9)
        loudness = rng.uniform(0.06, 0.12)
        start = int(onset * HIT_RATE)
        angle = (pan + 1.0) * math.pi / 4.0
        for i in range(min(int(0.12 * HIT_RATE), len(left) - start)):
            t = i / HIT_RATE
            value = loudness * math.exp(-t / 0.025) * math.sin(2 * math.pi * freq * t)
            value *= min(1.0, i / 20.0)
            left[start + i] += value * math.cos(angle)
            right[start + i] += value * math.sin(angle)


def make_hit_sound(path):
    rng = random.Random(20240611)
    count = int(HIT_LENGTH_S * HIT_RATE)
    left = [0.0] * count
    right = [0.0] * count
    for onset, note, pan, loudness in HIT_NOTES:
        add_bell(left, right, onset, note_frequency(note), pan, loudness)
    add_sparkles(left, right, rng)

    # Smooth raised-cosine fade so the tail ends exactly at zero.
    fade_start = int(HIT_FADE_START_S * HIT_RATE)
    for i in range(fade_start, count):
        x = (i - fade_start) / (count - fade_start)
        gain = 0.5 * (1.0 + math.cos(math.pi * x))
        left[i] *= gain
        right[i] *= gain

    # Normalise both channels together to -1.5 dBFS so the stereo image stays.
    both = left + right
    largest = max(abs(s) for s in both)
    gain = 0.84 / largest
    silence = int(TRAILING_SILENCE_S * HIT_RATE)
    frames = bytearray()
    for l_value, r_value in zip(left, right):
        frames += struct.pack("<hh", round(l_value * gain * 32767), round(r_value * gain * 32767))
    frames += bytes(4 * silence)
    write_wav(path, HIT_RATE, 2, 2, bytes(frames))


# ---------------------------------------------------------------------------
# KOTA: the end-of-game music
# ---------------------------------------------------------------------------

MUSIC_RATE = 6000
TEMPO_BPM = 118            # 48 bars of 4/4 then last about 97.6 s
BEAT_S = 60.0 / TEMPO_BPM
BAR_BEATS = 4
HARMONIC_LIMIT_HZ = 2800.0  # keep every partial below the 3000 Hz Nyquist limit

# The tune, in C major, 4/4. Each bar is "note beats note beats ..." with
# R for a rest; the chord line of a bar names one chord per half bar when
# it holds two names.
INTRO = [
    ("C", "G4 .5 C5 .5 E5 .5 G5 .5 E5 .5 C5 .5 E5 .5 G5 .5"),
    ("F", "A4 .5 C5 .5 F5 .5 A5 .5 F5 .5 C5 .5 F5 .5 A5 .5"),
    ("G", "B4 .5 D5 .5 G5 .5 B5 .5 G5 .5 D5 .5 G5 .5 B5 .5"),
    ("G7", "F5 1 D5 1 B4 1 R 1"),
]

THEME_OPENING = [
    ("C", "C5 .5 E5 .5 G5 1 G5 .5 A5 .5 G5 1"),
    ("F", "A5 1 F5 .5 A5 .5 C6 1.5 A5 .5"),
    ("G", "G5 1 E5 .5 F5 .5 G5 1 D5 1"),
    ("C", "E5 2 C5 1 R 1"),
    ("C", "C5 .5 E5 .5 G5 1 G5 .5 A5 .5 G5 1"),
    ("F Dm", "A5 .5 G5 .5 F5 .5 E5 .5 D5 1 F5 1"),
]

# First time the theme stops on the dominant, asking for more ...
THEME_OPEN_END = [
    ("C G", "E5 1 C5 .5 E5 .5 D5 1 B4 1"),
    ("G", "D5 3 R 1"),
]

# ... second time it comes home.
THEME_CLOSED_END = [
    ("G7", "F5 1 D5 .5 B4 .5 G4 1 B4 1"),
    ("C", "C5 3 R 1"),
]

BRIDGE = [
    ("Am", "A5 1 E5 1 A5 .5 B5 .5 C6 1"),
    ("Em", "B5 1 G5 1 E5 2"),
    ("F", "F5 .5 G5 .5 A5 1 A5 .5 G5 .5 F5 1"),
    ("G", "G5 2 D5 2"),
    ("Am", "A5 1 E5 1 A5 .5 B5 .5 C6 1"),
    ("Dm", "D6 1 C6 .5 A5 .5 F5 1 A5 1"),
    ("G", "G5 .5 F5 .5 E5 .5 D5 .5 B4 1 D5 1"),
    ("G7", "G5 2 F5 1 D5 1"),
]

CODA_END = [
    ("F G", "A5 1 F5 1 D5 1 B4 1"),
    ("C", "C5 2 E5 .5 G5 .5 C6 1"),
]

FINALE = [
    ("F", "A5 1 F5 1 C6 2"),
    ("G7", "B5 1 G5 1 D6 1 B5 1"),
    ("C", "C6 4"),
    ("C", "R 4"),
]

# (section bars, whether the melody gets a second voice a third below)
SECTIONS = [
    (INTRO, False),
    (THEME_OPENING + THEME_OPEN_END, False),
    (THEME_OPENING + THEME_CLOSED_END, False),
    (BRIDGE, False),
    (THEME_OPENING + THEME_CLOSED_END, True),
    (THEME_OPENING + CODA_END, True),
    (FINALE, False),
]

CHORD_TONES = {
    "C": ["C", "E", "G"],
    "F": ["F", "A", "C"],
    "G": ["G", "B", "D"],
    "G7": ["G", "B", "D", "F"],
    "Am": ["A", "C", "E"],
    "Em": ["E", "G", "B"],
    "Dm": ["D", "F", "A"],
}

C_MAJOR = ["C", "D", "E", "F", "G", "A", "B"]


def third_below(note):
    """The diatonic third below a C-major note name, e.g. 'E5' -> 'C5', 'C5' -> 'A4'."""
    letter, octave = note[0], int(note[-1])
    index = C_MAJOR.index(letter) - 2
    if index < 0:
        index += 7
        octave -= 1
    return f"{C_MAJOR[index]}{octave}"


def chord_voicing(chord):
    """Close voicing of a chord with every tone between G3 and F4."""
    voiced = []
    for letter in CHORD_TONES[chord]:
        octave = 3 if NOTE_OFFSETS[letter] >= NOTE_OFFSETS["G"] else 4
        voiced.append(f"{letter}{octave}")
    return voiced


def tone(samples, start_s, duration_s, freq, loudness, harmonics, attack_s, decay_s,
         sustain, release_s, vibrato=0.0):
    """Mix one note into `samples`.

    The timbre is a sum of harmonics (list of amplitudes, first = fundamental),
    cut at HARMONIC_LIMIT_HZ so nothing folds back. The envelope rises in
    attack_s, falls to `sustain` with time constant decay_s and fades out over
    release_s after duration_s.
    """
    partials = [(n + 1, a) for n, a in enumerate(harmonics) if freq * (n + 1) < HARMONIC_LIMIT_HZ]
    start = int(start_s * MUSIC_RATE)
    held = int(duration_s * MUSIC_RATE)
    total = held + int(release_s * MUSIC_RATE)
    phase = 0.0
    for i in range(min(total, len(samples) - start)):
        t = i / MUSIC_RATE
        if t < attack_s:
            envelope = t / attack_s
        else:
            envelope = sustain + (1.0 - sustain) * math.exp(-(t - attack_s) / decay_s)
        if i >= held:
            envelope *= 1.0 - (i - held) / (total - held)
        wobble = 1.0 + vibrato * math.sin(2 * math.pi * 5.5 * t) * min(1.0, t / 0.3)
        phase += 2 * math.pi * freq * wobble / MUSIC_RATE
        value = 0.0
        for n, amplitude in partials:
            value += amplitude * math.sin(n * phase)
        samples[start + i] += loudness * envelope * value


def parse_bar(text):
    """'C5 .5 E5 1 R 1' -> [('C5', 0.5), ('E5', 1.0), ('R', 1.0)]; checks the bar is full."""
    words = text.split()
    notes = [(words[i], float(words[i + 1])) for i in range(0, len(words), 2)]
    length = sum(beats for _, beats in notes)
    if abs(length - BAR_BEATS) > 1e-9:
        raise ValueError(f"bar '{text}' lasts {length} beats")
    return notes


def play_melody(samples, bar_start, notes, harmonise):
    beat = 0.0
    for name, beats in notes:
        if name != "R":
            start = bar_start + beat * BEAT_S
            length = beats * BEAT_S * 0.88
            tone(samples, start, length, note_frequency(name), 0.30,
                 [1.0, 0.42, 0.22, 0.10, 0.05], 0.012, 0.12, 0.65, 0.06, vibrato=0.004)
            if harmonise:
                tone(samples, start, length, note_frequency(third_below(name)), 0.16,
                     [1.0, 0.30, 0.12], 0.015, 0.12, 0.6, 0.06)
        beat += beats


def play_accompaniment(samples, bar_start, chords, rng):
    """Oom-pah: bass root on beats 1 and 3 (fifth on 3), chord stabs on 2 and 4."""
    for half, chord in enumerate(chords if len(chords) == 2 else chords * 2):
        tones = CHORD_TONES[chord]
        half_start = bar_start + half * 2 * BEAT_S
        bass_letter = tones[0] if half == 0 or len(chords) == 2 else tones[2]
        bass_octave = 2 if NOTE_OFFSETS[bass_letter] >= NOTE_OFFSETS["F"] else 3
        tone(samples, half_start, BEAT_S * 0.8, note_frequency(f"{bass_letter}{bass_octave}"), 0.34,
             [1.0, 0.5, 0.25, 0.12], 0.008, 0.18, 0.35, 0.05)
        for note in chord_voicing(chord):
            tone(samples, half_start + BEAT_S, BEAT_S * 0.35, note_frequency(note), 0.075,
                 [1.0, 0.0, 0.33, 0.0, 0.2], 0.006, 0.08, 0.3, 0.05)
        add_drum_hits(samples, half_start, rng)


def add_drum_hits(samples, half_start, rng):
    """A soft low thump on the strong beat and a light brushed tick on the off-beat."""
    start = int(half_start * MUSIC_RATE)
    for i in range(int(0.12 * MUSIC_RATE)):
        t = i / MUSIC_RATE
        freq = 110.0 * math.exp(-t / 0.05) + 45.0
        samples[start + i] += 0.22 * math.exp(-t / 0.045) * math.sin(2 * math.pi * freq * t)
    start = int((half_start + BEAT_S) * MUSIC_RATE)
    previous = 0.0
    for i in range(int(0.05 * MUSIC_RATE)):
        noise = rng.uniform(-1.0, 1.0)
        brushed = noise - previous  # first difference: tilts the noise towards the highs
        previous = noise
        samples[start + i] += 0.035 * math.exp(-i / (0.012 * MUSIC_RATE)) * brushed


def final_chord(samples, start_s):
    """The last C major chord over a low C, left ringing out."""
    for note, loudness in (("C3", 0.30), ("G3", 0.12), ("C4", 0.12), ("E4", 0.12), ("G4", 0.10)):
        tone(samples, start_s, 2.4, note_frequency(note), loudness,
             [1.0, 0.4, 0.2, 0.1], 0.01, 0.9, 0.15, 1.0)


def make_music(path):
    rng = random.Random(19850403)
    bars = [bar for section, _ in SECTIONS for bar in section]
    music_s = len(bars) * BAR_BEATS * BEAT_S
    samples = [0.0] * int(music_s * MUSIC_RATE)

    bar_index = 0
    for section, harmonise in SECTIONS:
        for chords, melody in section:
            bar_start = bar_index * BAR_BEATS * BEAT_S
            play_melody(samples, bar_start, parse_bar(melody), harmonise)
            if bar_index < len(bars) - 2:
                play_accompaniment(samples, bar_start, chords.split(), rng)
            elif bar_index == len(bars) - 2:
                final_chord(samples, bar_start)
            bar_index += 1

    normalise(samples, 0.90)

    # 8-bit unsigned with triangular dither of one step, centred on 128.
    frames = bytearray()
    for value in samples:
        dither = (rng.random() - rng.random())
        level = round(128 + value * 127 + dither)
        frames.append(min(255, max(0, level)))
    frames += bytes([128]) * int(TRAILING_SILENCE_S * MUSIC_RATE)
    write_wav(path, MUSIC_RATE, 1, 1, bytes(frames))


def main():
    out_dir = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources" / "sounds"
    out_dir.mkdir(parents=True, exist_ok=True)
    make_hit_sound(out_dir / "MYSOUND.wav")
    make_music(out_dir / "KOTA.wav")
    print(f"wrote {out_dir / 'MYSOUND.wav'} and {out_dir / 'KOTA.wav'}")


if __name__ == "__main__":
    main()
