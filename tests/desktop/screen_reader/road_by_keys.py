"""The road of one lesson walked by keyboard alone, read through the accessibility bus as a screen reader
reads it: menu rows named by their captions (and renamed by scrolling), the help window closed through its
button's press action, the question readable, every verdict announced with what comes next, the notice an
alert with its button focused, the end of the sheet, the way back and out.

Usage: road_by_keys.py PROGRAM ENCODER; run inside session.sh (a private X server and session bus)."""

import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

TIMEOUT = 20
# Seconds to wait after every key, to follow the road with a screen reader running beside it.
PAUSE = float(os.environ.get("KVIZARO_ROAD_PAUSE", "0"))

# The lessons: headings at entries 1 and 6, so that scrolling turns buttons into labels and back.
ENTRIES = [("Kezdőknek", ""), ("Első lap", "elso"), ("Második lap", "elso"), ("Harmadik lap", "elso"),
           ("Negyedik lap", "elso"), ("Haladóknak", ""), ("Ötödik lap", "elso"), ("Hatodik lap", "elso"),
           ("Hetedik lap", "elso"), ("Nyolcadik lap", "elso")]
ANSWERS = ["alfa", "beta", "gamma"]
HELP_TEXT = "A súgó első sora."
CONTENT = "\n".join(
    ["#Menuo"]
    + [f'Menuero="{caption}","{sheet}"' for caption, sheet in ENTRIES]
    + ['Butono1="Súgó","sugo"', 'Butono2="Névjegy","nevjegy"', 'Butono3="Betűk","tajpado"', "#elso"]
    + [line for answer in ANSWERS
       for line in ("[tasko]", f'Demando="Írd be: {answer}"', f'Instruo="{answer}"', f'Solvo="{answer}"')]
    + ["#sugo", HELP_TEXT, "#nevjegy", "Névjegy.", "#tajpado", "cx: c kalappal", "#", ""])


class Road:
    def __init__(self, program, encoder):
        scratch = os.environ["HOME"]
        source = os.path.join(scratch, "road.txt")
        with open(source, "w", encoding="utf-8") as lesson:
            lesson.write(CONTENT)
        subprocess.run([encoder, "encode", source, os.path.join(scratch, "enhavo.adt")], check=True,
                       stdout=subprocess.DEVNULL)
        self.heard = []
        self.listener = Atspi.EventListener.new(self.hear)
        for kind in ("object:property-change:accessible-name", "object:state-changed:showing"):
            self.listener.register(kind)
        environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.program = subprocess.Popen([program], cwd=scratch, env=environment)
        self.app = self.wait_for(self.find_program, "the program on the accessibility bus")
        self.app.set_cache_mask(Atspi.Cache.NONE)

    def hear(self, event):
        self.heard.append((event.type, event.source.get_role(), event.source.get_name(), event.detail1))

    def find_program(self):
        desktop = Atspi.get_desktop(0)
        for index in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(index)
            if app is not None and app.get_process_id() == self.program.pid and app.get_child_count() > 0:
                return app
        return None

    def wait_for(self, probe, what):
        end = time.monotonic() + TIMEOUT
        while time.monotonic() < end:
            while GLib.MainContext.default().iteration(False):
                pass
            found = probe()
            if found:
                return found
            if self.program.poll() is not None:
                raise AssertionError(f"the program ended while waiting for {what}")
            time.sleep(0.05)
        raise AssertionError(f"waited {TIMEOUT} s in vain for {what}")

    def objects(self, root=None):
        stack = [root or self.app]
        while stack:
            node = stack.pop()
            if node is None:
                continue
            yield node
            stack.extend(node.get_child_at_index(i) for i in range(node.get_child_count()))

    def showing(self, node):
        return node.get_state_set().contains(Atspi.StateType.SHOWING)

    def find(self, role, name=None, root=None):
        for node in self.objects(root):
            if node.get_role() == role and (name is None or node.get_name() == name) and self.showing(node):
                return node
        return None

    def focused(self):
        for node in self.objects():
            if node.get_state_set().contains(Atspi.StateType.FOCUSED) and self.showing(node):
                return node
        return None

    def focus_is(self, name):
        return self.wait_for(lambda: (f := self.focused()) is not None and f.get_name() == name and f,
                             f"the focus on {name!r}")

    def keys(self, *names):
        subprocess.run(["xdotool", "key", "--delay", "60", *names], check=True)
        time.sleep(PAUSE)

    def type(self, text):
        subprocess.run(["xdotool", "type", "--delay", "40", text], check=True)

    def tab_to(self, name):
        for _ in range(20):
            node = self.focused()
            if node is not None and node.get_name() == name:
                return node
            self.keys("Tab")
            time.sleep(0.15)
        return self.focus_is(name)

    def notified(self, *parts):
        """A notification appeared whose name holds every part: what Orca speaks as it appears."""
        def probe():
            return any(kind.endswith("showing") and role == Atspi.Role.NOTIFICATION and shown
                       and all(part in name for part in parts) for kind, role, name, shown in self.heard)
        self.wait_for(probe, f"a notification of {parts}")
        self.heard.clear()

    def described(self, node, *parts):
        """The focused control's description holds every part: Orca speaks it with the control."""
        self.wait_for(lambda: all(part in node.get_description() for part in parts),
                      f"{node.get_name()!r} described by {parts}")


def press_action(node):
    for index in range(node.get_n_actions()):
        if node.get_action_name(index).lower() == "press":
            return node.do_action(index)
    raise AssertionError(f"{node.get_name()!r} has no press action")


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def rows(road, menu):
    found = [node for node in road.objects(menu)
             if node.get_role() in (Atspi.Role.PUSH_BUTTON, Atspi.Role.LABEL)
             and node.get_name() in {caption for caption, _ in ENTRIES}]
    return sorted(found, key=lambda node: node.get_extents(Atspi.CoordType.SCREEN).y)


def expect_page(road, menu, top):
    def probe():
        shown = [(node.get_role(), node.get_name()) for node in rows(road, menu)]
        wanted = [(Atspi.Role.PUSH_BUTTON if sheet or top + k == len(ENTRIES) else Atspi.Role.LABEL, caption)
                  for k, (caption, sheet) in enumerate(ENTRIES[top - 1:top + 7], start=1)]
        return shown == wanted
    road.wait_for(probe, f"the rows of the page from entry {top} as buttons and headings")


# The end state offers the one wrongly answered question again.
REPEAT_ONE = "Hibásak újra (1)"


def walk(road):
    menu = road.wait_for(lambda: road.find(Atspi.Role.FILLER, "Kvizaro v1.0 * Folimo")
                         or road.find(Atspi.Role.FRAME, "Kvizaro v1.0 * Folimo"), "the main menu")
    expect_page(road, menu, 1)
    for name in ("Súgó", "Névjegy", "Betűk", "Kilépés"):
        check(road.find(Atspi.Role.PUSH_BUTTON, name, menu) is not None, f"{name!r} is no push button")
    # A form's own name for a button stays as its description where it tells more than the caption.
    for row in rows(road, menu):
        check(row.get_description() not in ("", row.get_name()), f"row {row.get_name()!r} lost its number")

    # The scroll bar holds the keys at first; scrolling renames the rows, and tells it.
    road.wait_for(lambda: (f := road.focused()) is not None and f.get_role() == Atspi.Role.SCROLL_BAR,
                  "the focus on the scroll bar")
    road.heard.clear()
    road.keys("Down")
    expect_page(road, menu, 2)
    check(any(kind.endswith("accessible-name") and who == ENTRIES[1][0] for kind, _, who, _ in road.heard),
          "scrolling sent no name change")
    road.keys("Up")
    expect_page(road, menu, 1)

    # A help text by keys, closed by its button's press action.
    road.tab_to("Súgó")
    road.keys("space")
    help_window = road.wait_for(lambda: road.find(Atspi.Role.FILLER, "Súgó") or road.find(Atspi.Role.FRAME, "Súgó"),
                                "the help window")
    memo = road.wait_for(lambda: road.find(Atspi.Role.TEXT, None, help_window), "the help text")
    check(HELP_TEXT in memo.get_text(0, -1), "the help text is not readable")
    press_action(road.tab_to("Bezár"))
    road.wait_for(lambda: not road.showing(help_window), "the help window to close")
    road.focus_is("Súgó")

    # A lesson: open it from its row.
    road.tab_to(ENTRIES[1][0])
    road.keys("Return")
    answer_box = road.focus_is("Válasz")
    check(answer_box.get_role() == Atspi.Role.TEXT, "the focus is not in the answer box")
    for number, answer in enumerate(ANSWERS, start=1):
        question = road.wait_for(lambda: next(
            (node for node in road.objects() if road.showing(node) and node.get_role() == Atspi.Role.LABEL
             and any(relation.get_relation_type() == Atspi.RelationType.LABELLED_BY
                     and relation.get_target(0).get_name() == "Kérdés:"
                     for relation in node.get_relation_set())), None), "the question")
        check(question.get_text(0, -1).strip() == f"Írd be: {answer}", f"question {number} is not readable")
        wrong = number == 2
        last = number == len(ANSWERS)
        next_part = "V É G E !" if last else f"Írd be: {ANSWERS[number]}"
        road.heard.clear()
        road.type("rossz" if wrong else answer)
        road.keys("Return")
        if wrong:
            alert = road.wait_for(lambda: road.find(Atspi.Role.ALERT, "Hiba!"), "the notice as an alert")
            check(alert.get_description(), "the notice has no description")
            ok = road.focus_is("Ok")
            check(ok.get_role() == Atspi.Role.PUSH_BUTTON, "Ok is no push button")
            road.keys("Return")
            road.wait_for(lambda: not road.showing(alert), "the notice to go")
            road.described(road.focus_is("Válasz"), "rossz", next_part)
        elif last:
            road.described(road.focus_is(REPEAT_ONE), "helyes", next_part)
        else:
            road.notified("helyes", next_part)

    # The end of the sheet: after a wrong answer the repeat round leads on and has the focus; Escape does
    # nothing there; the way back is a Tab away.
    repeat = road.focus_is(REPEAT_ONE)
    check(repeat.get_role() == Atspi.Role.PUSH_BUTTON, "the repeat round is no push button")
    road.keys("Escape")
    time.sleep(0.5)
    road.focus_is(REPEAT_ONE)
    back = road.tab_to("Vissza a főoldalra")
    check(back.get_role() == Atspi.Role.PUSH_BUTTON, "the way back is no push button")
    road.keys("Return")
    road.focus_is(ENTRIES[1][0])
    road.keys("Escape")
    end = time.monotonic() + TIMEOUT
    while road.program.poll() is None and time.monotonic() < end:
        time.sleep(0.05)
    check(road.program.poll() == 0, "Escape on the main menu did not end the program")


def main():
    road = Road(sys.argv[1], sys.argv[2])
    try:
        walk(road)
    finally:
        if road.program.poll() is None:
            road.program.kill()
    print("PASS: the road by keys, read through the accessibility bus")


if __name__ == "__main__":
    main()
