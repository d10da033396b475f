#!/usr/bin/python3
"""Plays Numbolo from outside, as a child, a screen-reader user and a switch device would.

Real double-clicks go through the X server (xdotool); presses and text go through the
accessibility bus (AT-SPI, pyatspi); the close request goes to the window as a window manager
sends it (WM_DELETE_WINDOW). Checks that each path meets the game's rules and exits non-zero
when one does not. Run by packaging/check-input.sh with the game running on a resumed game.
"""

import itertools
import subprocess
import sys
import time

import pyatspi
from Xlib import X, display as xdisplay, protocol

failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


def application(name="Numbolo", seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.5)
    sys.exit("the game did not appear on the accessibility bus")


def find(root, name, role=None):
    """The first showing node named `name` (the game's own windows first)."""
    def match(node):
        return node is not None and node.name == name and (role is None or node.getRoleName() == role)
    return pyatspi.findDescendant(root, match, True)


def text_of(node):
    t = node.queryText()
    return t.getText(0, t.characterCount)


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() == "press":
            action.doAction(i)
            time.sleep(0.3)
            return
    raise RuntimeError(f"{node.name} has no press action")


def sensitive(node):
    return node.getState().contains(pyatspi.STATE_SENSITIVE)


def windows(app, title):
    return [w for w in app if w is not None and w.name == title]


def centre(node):
    x, y, w, h = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return x + w // 2, y + h // 2


def double_click(node, clicks=2):
    x, y = centre(node)
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "--repeat", str(clicks), "--delay", "90", "1"],
                   check=True)
    time.sleep(0.6)


def close_window(title):
    """Asks the top-level window `title` to close, as a window manager's close button does."""
    d = xdisplay.Display()
    root = d.screen().root
    delete = d.intern_atom("WM_DELETE_WINDOW")
    protocols = d.intern_atom("WM_PROTOCOLS")
    for child in root.query_tree().children:
        stack = [child]
        while stack:
            w = stack.pop()
            try:
                name = w.get_wm_name()
            except Exception:
                name = None
            if name == title:
                event = protocol.event.ClientMessage(window=w, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0]))
                w.send_event(event)
                d.flush()
                time.sleep(1)
                return True
            stack.extend(w.query_tree().children)
    return False


def solve(target, digits, operators):
    """An expression of the usable keys whose value is `target`, or None."""
    numbers = digits + [a + b for a in digits for b in digits]
    for size in range(1, 5):
        for literals in itertools.product(numbers, repeat=size):
            for ops in itertools.product(operators, repeat=size - 1):
                text = literals[0] + "".join(o + l for o, l in zip(ops, literals[1:]))
                try:
                    value = eval(text.replace("^", "**"))
                except ZeroDivisionError:
                    continue
                if value == int(target) and float(value).is_integer():
                    return text
    return None


KEY_NAMES = {"/": "Διαίρεση", "*": "Πολλαπλασιασμός", "-": "Αφαίρεση", "+": "Πρόσθεση"}


def key(app, char):
    return find(app, KEY_NAMES.get(char, f"Ψηφίο {char}"))


def main():
    app = application()
    main_window = windows(app, "Numbolo")[0]
    display = find(app, "Οθόνη πράξεων")
    counter = find(app, "Τρέχουσα άσκηση")
    countdown = find(app, "Χρονόμετρο, δευτερόλεπτα που απομένουν")
    equals, clear = find(app, "Ίσον"), find(app, "Καθαρισμός")
    check(text_of(counter) == "1", "a game of 10 exercises runs, exercise 1")

    # The sound switch, double-clicked: one toggle, sounds off.
    double_click(find(app, "Σίγαση"))
    check(find(app, "Ενεργοποίηση ήχων").getState().contains(pyatspi.STATE_SHOWING),
          "double-click on the sound switch turns sounds off once")

    # A digit key double-clicked types it twice.
    digits = [d for d in "0123456789" if sensitive(key(app, d))]
    operators = [o for o in "/*-+" if sensitive(key(app, o))]
    press(clear)
    double_click(key(app, digits[-1]))
    check(text_of(display) == digits[-1] * 2, f"double-click on \"{digits[-1]}\" types it twice")
    # "Cl" double-clicked clears once, and a third click does not reach a key under it.
    double_click(clear, clicks=3)
    check(text_of(display) == "", "triple-click on \"Cl\" clears the display")

    # Solve the exercise through the screen reader's presses.
    targets = [find(app, f"Αριθμός στόχος {n}") for n in range(1, 9)]
    for box in targets:
        value = text_of(box)
        if not value:
            continue
        expression = solve(value, digits, operators)
        if expression is None:
            sys.exit(f"no expression of {digits} {operators} gives {value}; run again")
        press(clear)
        for char in expression:
            press(key(app, char))
        press(equals)
    check(all(text_of(b) == "" for b in targets), "every target hit through the press action")
    check(len(windows(app, "Συγχαρητήρια!")) == 1, "one success window")

    # Behind the success window nothing acts, whatever the path.
    shown = text_of(display)
    press(equals)
    press(key(app, digits[0]))
    press(find(app, "Νέα άσκηση"))
    check(len(windows(app, "Συγχαρητήρια!")) == 1, "a press on \"=\" behind the success window opens no second one")
    check(text_of(display) == shown, "a key pressed behind the success window types nothing")
    check(close_window("Numbolo v. 1.2") and main_window.getState().contains(pyatspi.STATE_SHOWING),
          "closing the main window behind the success window is refused")
    ok = find(windows(app, "Συγχαρητήρια!")[0], "Εντάξει")  # read as a word, not as "ΟΚ"
    press(ok)
    time.sleep(0.5)
    check(text_of(counter) == "2" and not windows(app, "Συγχαρητήρια!"), "ΟΚ moves on to exercise 2")

    # Locked option boxes refuse text from the accessibility bus during a game.
    for name in ("Αριθμός ασκήσεων", "Μέγιστος αριθμός στόχος"):
        box = find(app, name)
        before = text_of(box)
        try:
            box.queryEditableText().setTextContents("7")
        except Exception:
            pass
        time.sleep(0.3)
        check(text_of(box) == before, f"\"{name}\" refuses text during a game")

    # Restart, then the digits are off and nothing starts the countdown.
    press(find(app, "Αρχικοποίηση"))
    time.sleep(0.5)
    yes = find(app, "Ναι", "push button")
    press(yes)
    time.sleep(0.5)
    check(text_of(counter) == "0", "restart: no game")
    check(not any(sensitive(key(app, d)) for d in "123456789"), "restart: the digit keys are off")
    try:
        press(key(app, "7"))  # a switched-off key may offer no press at all
    except RuntimeError:
        pass
    time.sleep(2.5)
    check(text_of(countdown) == "180", "restart: a pressed digit starts no countdown")

    # The red arrow double-clicked with valid options starts the game and asks nothing.
    for name, value in (("Αριθμός ασκήσεων", "10"), ("Μέγιστος αριθμός στόχος", "100")):
        find(app, name).queryEditableText().setTextContents(value)
    time.sleep(0.3)
    double_click(find(app, "Νέα άσκηση"))
    check(text_of(counter) == "1", "double-click on the red arrow starts a game")
    check(find(app, "Επιβεβαίωση", "dialog") is None and not windows(app, "Επιβεβαίωση"),
          "double-click on the red arrow asks no skip question")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
