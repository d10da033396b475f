#!/usr/bin/python3
"""Reads Numbolo's accessibility tree as a screen reader does, through AT-SPI (pyatspi).

Prints the tree, finds every control by its Greek accessible name, then starts a game with
the press action of the red arrow and types a digit with the press action of a working key,
and checks that the text changes of the display, the targets and the countdown arrive as
AT-SPI events. Exits non-zero when a control is missing or an event did not arrive.

Run by packaging/check-atspi.sh, inside a session bus with the game running.
"""

import sys
import time

import pyatspi
from gi.repository import GLib

KEYS = {f"Ψηφίο {d}": "push button" for d in range(10)}
KEYS.update({
    "Διαίρεση": "push button",
    "Πολλαπλασιασμός": "push button",
    "Αφαίρεση": "push button",
    "Πρόσθεση": "push button",
    "Υποδιαστολή": "push button",
    "Άνοιγμα παρένθεσης": "push button",
    "Κλείσιμο παρένθεσης": "push button",
    "Ίσον": "push button",
    "Διαγραφή τελευταίου χαρακτήρα": "push button",
    "Καθαρισμός": "push button",
    "Ύψωση σε δύναμη": "push button",
    "Παύση χρονομέτρου": "push button",
})
TARGETS = [f"Αριθμός στόχος {n}" for n in range(1, 9)]
TARGETS_FRAME = "Αριθμοί Στόχοι"
DISPLAY = "Οθόνη πράξεων"
COUNTDOWN = "Χρονόμετρο, δευτερόλεπτα που απομένουν"
BOXES = {name: "text" for name in [DISPLAY, *TARGETS, COUNTDOWN,
                                    "Τρέχουσα άσκηση", "Αριθμός ασκήσεων", "Μέγιστος αριθμός στόχος"]}
PICTURES = {name: "push button" for name in [
    "Σίγαση", "Ενεργοποίηση ήχων", "Αρχικοποίηση", "Χρώμα παραθύρου προγράμματος",
    "Βοήθεια", "Περί", "Νέα άσκηση", "Εμφάνιση εργαλείων", "Απόκρυψη εργαλείων"]}
EXPECTED = {**KEYS, **BOXES, **PICTURES}
FRAMES = ["Numbolo", "Επιλογές", "Αριθμοί 0 έως", "Ασκήσεις", "Βοήθεια", "Άσκηση",
          "Χρονόμετρο", TARGETS_FRAME]
CONTAINERS = {"panel", "filler", "application", "frame"}
# Shown only after a click elsewhere (sound switched off, tool strip folded away).
HIDDEN_AT_START = {"Ενεργοποίηση ήχων", "Εμφάνιση εργαλείων"}


def find_application(name, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        time.sleep(0.5)
    return None


def walk(node, depth, found, frames, lines):
    try:
        role = node.getRoleName()
        name = node.name
        description = node.description
        showing = node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception as error:  # an object that went away while reading
        lines.append("  " * depth + f"<gone: {error}>")
        return
    text = ""
    if role == "text":
        try:
            text = node.queryText().getText(0, -1)
        except NotImplementedError:
            pass
    line = "  " * depth + f"[{role}] \"{name}\""
    if description and description != name:
        line += f" — {description}"
    if text:
        line += f" = \"{text}\""
    if not showing:
        line += " (not showing)"
    lines.append(line)
    if name:
        kind = frames if role in CONTAINERS else found
        kind.setdefault(name, []).append((role, node))
    for child in node:
        if child is not None:
            walk(child, depth + 1, found, frames, lines)


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() == "press":
            return action.doAction(i)
    raise RuntimeError(f"\"{node.name}\" has no press action")


def pump(seconds):
    """Lets AT-SPI events arrive for a while."""
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()


def main():
    app = find_application("Numbolo")
    if app is None:
        print("Numbolo is not on the accessibility bus")
        return 1
    found, frames, lines = {}, {}, []
    walk(app, 0, found, frames, lines)
    print("\n".join(lines))

    problems = []
    print("\n== Controls by accessible name")
    for name, role in EXPECTED.items():
        matches = found.get(name, [])
        roles = [r for r, _ in matches]
        if len(matches) != 1:
            problems.append(f"\"{name}\": found {len(matches)} times")
            print(f"  MISSING  {name}" if not matches else f"  TWICE    {name}")
        elif roles[0] != role:
            problems.append(f"\"{name}\": role {roles[0]}, expected {role}")
            print(f"  ROLE     {name}: {roles[0]}")
        else:
            state = " (hidden at start)" if name in HIDDEN_AT_START else ""
            print(f"  ok       {name} [{role}]{state}")

    print("\n== Frames by their own captions")
    for caption in FRAMES:
        # The program and its window carry the name of the frame captioned "Numbolo v.1.2" too.
        count = len([node for role, node in frames.get(caption, []) if role == "panel"])
        print(f"  {'ok      ' if count == 1 else 'WRONG   '} {caption}: {count}")
        if count != 1:
            problems.append(f"frame \"{caption}\" found {count} times")

    print("\n== Targets in the tree, in order")
    targets_frame = frames[TARGETS_FRAME][0][1] if TARGETS_FRAME in frames else None
    listed = [child.name for child in targets_frame] if targets_frame is not None else []
    print("  " + ", ".join(listed))
    if listed != TARGETS:
        problems.append("the targets are not listed in reading order")
    # Tab reaches the targets' frame, which says the targets that remain.
    if targets_frame is None or not targets_frame.getState().contains(pyatspi.STATE_FOCUSABLE):
        problems.append(f"the frame \"{TARGETS_FRAME}\" is not in the Tab order")
    elif not targets_frame.description:
        problems.append(f"the frame \"{TARGETS_FRAME}\" does not say which targets remain")

    changed = {}

    def on_text_changed(event):
        try:
            changed.setdefault(event.source.name, []).append(event.type)
        except Exception:
            pass

    pyatspi.Registry.registerEventListener(on_text_changed, "object:text-changed")
    pump(1)

    print("\n== Press \"Νέα άσκηση\" (starts a game from the option boxes)")
    press(found["Νέα άσκηση"][0][1])
    pump(2)
    digits = [node for name, entries in found.items() if name.startswith("Ψηφίο ") and name != "Ψηφίο 0"
              for _, node in entries if node.getState().contains(pyatspi.STATE_SENSITIVE)]
    if not digits:
        problems.append("no digit key works after the game started")
    else:
        print(f"== Press \"{digits[0].name}\" (types it and starts the countdown)")
        press(digits[0])
        pump(2.5)

    print("\n== Text changes that reached AT-SPI")
    for name in [DISPLAY, *TARGETS, COUNTDOWN]:
        events = changed.get(name, [])
        texts = found[name][0][1].queryText().getText(0, -1) if name in found else "?"
        print(f"  {'ok     ' if events else 'NONE   '} {name}: {len(events)} events, now \"{texts}\"")
        if not events:
            problems.append(f"no text-changed event from \"{name}\"")

    print()
    if problems:
        print("check-atspi: FAILED")
        for problem in problems:
            print("  " + problem)
        return 1
    print(f"check-atspi: all {len(EXPECTED)} controls found by name; display, targets and countdown announce changes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
