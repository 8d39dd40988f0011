"""The converter window over AT-SPI, as a screen reader finds it.

Started by run.sh with a display and a session bus of its own. Starts the
program, closes About with its OK button, chooses the conversion WXE007 and
then checks: every field and result has its sentence's words as its name,
the tier list writes its numbers in the user's locale, typing a capacity
changes the result that a screen reader reads (and it is told so), and a
rejected input brings up an alert. Then, without its data files, the
program's error box is an alert, and closing it ends the program
unsuccessfully.
"""

import os
import shutil
import subprocess
import sys
import time

import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

warnings.simplefilter("ignore", DeprecationWarning)  # the names Debian 12 has

PROGRAM, GUARD = sys.argv[1], sys.argv[2]
failures = []


def fail(text):
    failures.append(text)
    print("FAIL: " + text, flush=True)


def pump(seconds=0.0):
    """Lets the bus deliver what is pending."""
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while True:
        while context.iteration(False):
            pass
        if time.monotonic() >= end:
            return
        time.sleep(0.02)


def wait_for(what, find, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = find()
        if found:
            return found
        pump(0.1)
    fail("not found on the accessibility bus: " + what)
    raise SystemExit(1)


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for i in range(node.get_child_count()):
        yield from walk(node.get_child_at_index(i), depth + 1)


def application(process):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        try:
            if app is not None and app.get_process_id() == process.pid:
                return app
        except GLib.GError:
            continue
    return None


def find(root, role, name=None):
    """The first control of `role` (and `name`) that shows."""
    for node in walk(root):
        try:
            if (
                node.get_role() == role
                and (name is None or node.get_name() == name)
                and node.get_state_set().contains(Atspi.StateType.SHOWING)
            ):
                return node
        except GLib.GError:
            continue
    return None


def text_of(node):
    return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))


def press(node):
    for i in range(Atspi.Action.get_n_actions(node)):
        if Atspi.Action.get_action_name(node, i) in ("Press", "press", "click"):
            Atspi.Action.do_action(node, i)
            return
    fail("no press action on " + node.get_name())


def keys(text=None, keysym=None):
    """Types as a user would, through the display, without waiting on the program."""
    if text is not None:
        Atspi.generate_keyboard_event(0, text, Atspi.KeySynthType.STRING)
    else:
        Atspi.generate_keyboard_event(keysym, None, Atspi.KeySynthType.PRESSRELEASE | Atspi.KeySynthType.SYM)
    pump(0.3)


def click(node):
    """Clicks the middle of a control, as a user would."""
    box = Atspi.Component.get_extents(node, Atspi.CoordType.SCREEN)
    Atspi.generate_mouse_event(box.x + box.width // 2, box.y + box.height // 2, "b1c")
    pump(0.5)


heard = []


def on_text_changed(event):
    try:
        heard.append(event.source.get_name())
    except GLib.GError:
        pass


listener = Atspi.EventListener.new(on_text_changed)
listener.register("object:text-changed")

# Started in a German locale: the window writes numbers as its user does.
german = {k: v for k, v in os.environ.items() if k not in ("LC_ALL", "LC_NUMERIC")}
german["LANG"] = "de_DE.UTF-8"
program = subprocess.Popen([PROGRAM, GUARD], env=german)
try:
    app = wait_for("the program", lambda: application(program))
    about_ok = wait_for("About's OK", lambda: find(app, Atspi.Role.PUSH_BUTTON, "OK"))
    press(about_ok)
    window = wait_for(
        "the converter window", lambda: find(app, Atspi.Role.FRAME, "Wexel Converter")
    )
    combo = wait_for("the Conversion Type list", lambda: find(window, Atspi.Role.COMBO_BOX))
    click(combo)  # its list opens
    keys(keysym=0xFF54)  # Down: the first conversion after the prompt, WXE007
    keys(keysym=0xFF0D)  # Return
    expected = {
        Atspi.Role.TEXT: [
            "MSUs utilization", "WXs entitlement", "WXs added", "existing MSUs",
            "MSUs added", "existing MSU utilization", "existing WX entitlement",
        ],
        Atspi.Role.LABEL: [
            "WXs required", "MSUs utilization sufficient", "MSUs total utilization",
            "additional WXs required",
        ],
    }
    for role, names in expected.items():
        for name in names:
            if find(window, role, name) is None:
                fail("no %s named %r" % (role.value_nick, name))
    tier = "Tier A: from 4 to 45, 0,7 Wexels each"
    if not any(node.get_name() == tier for node in walk(window)):
        fail("the tier list has no row %r" % tier)
    field = find(window, Atspi.Role.TEXT, "MSUs utilization")
    result = find(window, Atspi.Role.LABEL, "WXs required")
    if field is not None and result is not None:
        if not field.get_state_set().contains(Atspi.StateType.ENABLED):
            fail("the capacity field is not enabled: no conversion was chosen")
        heard.clear()
        click(field)  # the field selects its whole text
        keys("1500")
        end = time.monotonic() + 10
        while text_of(result) != "275" and time.monotonic() < end:
            pump(0.1)
        if text_of(result) != "275":
            fail("the result reads %r, not 275 (the field: %r)" % (text_of(result), text_of(field)))
        pump(0.5)
        if "WXs required" not in heard:
            fail("no text-changed event for the result; heard %r" % heard)
        # The Menu key opens the field's menu, E copies the estimate: the line
        # beside Close says what was copied, and is heard.
        heard.clear()
        keys(keysym=0xFF67)  # Menu
        keys("e")
        status = wait_for("the status line", lambda: find(window, Atspi.Role.LABEL, "Status"), seconds=10)
        end = time.monotonic() + 10
        while "Status" not in heard and time.monotonic() < end:
            pump(0.1)
        if status is not None and text_of(status) != "Copied calculator 1's estimate.":
            fail("the status line reads %r" % text_of(status))
        if "Status" not in heard:
            fail("no text-changed event for the status line; heard %r" % heard)
        click(field)
        keys("abc")
        alert = wait_for("an alert", lambda: find(app, Atspi.Role.ALERT), seconds=10)
        ok = find(alert, Atspi.Role.PUSH_BUTTON, "OK")
        if ok is not None:
            press(ok)
finally:
    program.kill()
    program.wait()

# Without its data files the program shows its error box, an alert, and
# ends unsuccessfully once it is closed.
bare_folder = os.path.join(os.path.dirname(GUARD), "no-data")
os.makedirs(bare_folder)
bare_program = shutil.copy(PROGRAM, bare_folder)
bare = subprocess.Popen([bare_program, GUARD], env=dict(os.environ))
try:
    app = wait_for("the program without its data", lambda: application(bare))
    box = wait_for("the error box", lambda: find(app, Atspi.Role.ALERT))
    if box.get_name() != "Wexel Pricer Error!":
        fail("the error box is titled %r" % box.get_name())
    press(find(box, Atspi.Role.PUSH_BUTTON, "OK"))
    if bare.wait(timeout=20) != 1:
        fail("a start without data files ended with status %r, not 1" % bare.returncode)
finally:
    bare.kill()
    bare.wait()

if failures:
    sys.exit(1)
print("the converter window reads as its sentences over AT-SPI")
