#!/usr/bin/python3
"""A student who cannot see the screen takes a quiz with a screen reader.

Only what the desktop's accessibility bus offers is used: the program's
windows, buttons, menus and the question page's answers are found by their
role and name, and acted on through their accessible actions. Three choice
questions of a real quiz of the first part exam are answered (right, wrong,
right), the score the quiz window shows must follow, and "End and Grade This
Quiz" must bring the results window with the number answered right.

Run it on a session bus of its own; it starts its own X display (Xvfb):
    dbus-run-session -- quiz_over_bus.py PROGRAM_FOLDER BANK_SOURCES
"""
import glob
import html
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

BOUND_SECONDS = 60  # the longest any one step may take on a loaded machine
POLL_SECONDS = 0.1


def wait_for(what, condition, bound=BOUND_SECONDS):
    """Polls `condition` until it gives something, or fails after `bound`."""
    deadline = time.monotonic() + bound
    while True:
        try:
            value = condition()
        except Exception:  # a node that went away while it was read
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("gave up waiting for " + what)
        time.sleep(POLL_SECONDS)


def plain(text):
    """The text a reader hears: no tags, entities resolved, blanks collapsed."""
    text = re.sub(r"<[^>]*>", " ", text or "")
    return re.sub(r"\s+", " ", html.unescape(text)).strip()


def read_bank(folder):
    """The choice questions of the bank sources: text -> (kind, [(answer, right)])."""
    questions = {}
    for path in sorted(glob.glob(os.path.join(folder, "*.qb"))):
        current = None
        last_key = None
        for line in open(path, encoding="utf-8"):
            line = line.rstrip("\n")
            if line.startswith("#") or not line.strip():
                continue
            if line.startswith("  ") and current is not None:
                if last_key == "question":
                    current["text"] += "<br>" + line[2:]
                continue
            key, _, value = line.partition(":")
            value = value.strip()
            last_key = key
            if key == "question":
                current = {"text": value, "kind": "", "answers": []}
                questions.setdefault("pending", []).append(current)
            elif current is not None and key == "type":
                current["kind"] = value
            elif current is not None and key in ("right", "wrong"):
                current["answers"].append((plain(value), key == "right"))
    for question in questions.pop("pending", []):
        if question["kind"] in ("single_answer", "multi_answer"):
            questions[plain(question["text"])] = (question["kind"], question["answers"])
    return questions


def walk(node):
    """The node and all below it; parts that go away while read are passed over."""
    yield node
    try:
        children = [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:
        return
    for child in children:
        if child is not None:
            yield from walk(child)


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        application = desktop.getChildAtIndex(i)
        if application is not None and application.name == "quizdeck":
            return application
    return None


def window(title_part):
    application = program()
    if application is None:
        return None
    for i in range(application.childCount):
        top = application.getChildAtIndex(i)
        if top is not None and title_part in (top.name or "") and top.getState().contains(pyatspi.STATE_SHOWING):
            return top
    return None


def find(root, role, name=None):
    for node in walk(root):
        try:
            if node.getRoleName() == role and (name is None or node.name == name):
                return node
        except Exception:
            continue
    return None


def act(node, *wanted):
    """Runs the first of the node's actions named in `wanted`."""
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    for i, action in enumerate(names):
        if action.lower() in wanted:
            actions.doAction(i)
            return
    raise AssertionError("%s %r offers %s, none of %s" % (node.getRoleName(), node.name, names, wanted))


def press(node):
    act(node, "press", "click", "activate")


def select(node):
    """As a screen-reader user does: focus the answer, then press Space."""
    try:
        act(node, "press", "click", "check", "toggle", "activate")
        return
    except AssertionError:
        pass
    act(node, "setfocus")
    wait_for("the focus on %r" % node.name, lambda: node.getState().contains(pyatspi.STATE_FOCUSED), 10)
    pyatspi.Registry.generateKeyboardEvent(0x20, None, pyatspi.KEY_SYM)  # Space
    try:
        wait_for("Space to select %r" % node.name, lambda: checked(node), 5)
    except AssertionError:
        # The keyboard may belong to another window of the display: the
        # screen reader's "click" at the answer's place selects it as well.
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, "b1c")


def checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)


def answer_name(name):
    """An answer input's name is its letter and its text: "B. Internet"."""
    return plain(re.sub(r"^[A-F]\.\s*", "", name or ""))


class QuestionOnScreen:
    """The question page of one position, read in one go from the bus."""

    def __init__(self, page, position, bank):
        nodes = list(walk(page))
        described = [(node, node.getRoleName(), node.name or "") for node in nodes]
        number = re.compile(r"^\s*%d\.\) " % position)
        if not any(role == "label" and number.match(name) for _, role, name in described):
            raise LookupError("the page of question %d is not there yet" % position)
        shown = " ".join(plain(name) for _, _, name in described if name)
        self.inputs = [node for node, role, _ in described if role in ("radio button", "check box")]
        matches = [text for text in bank if text and text in shown]
        self.question = max(matches, key=len) if matches else None
        self.kind, self.answers = bank[self.question] if self.question else ("", [])
        for node in self.inputs:
            node.name  # every input still answers

    @staticmethod
    def read(quiz, position, bank):
        page = find(quiz, "document web")
        return QuestionOnScreen(page, position, bank) if page is not None else None

    def choose(self, right):
        """Selects the right answers (or one wrong one) by their names."""
        assert self.inputs, "a choice question without inputs"
        for node in self.inputs:
            assert answer_name(node.name), "an answer input without a name: %r" % node.name
        by_name = {answer_name(node.name): node for node in self.inputs}
        chosen = [text for text, is_right in self.answers if is_right == right]
        if not right:
            chosen = chosen[:1]
        for text in chosen:
            assert text in by_name, "no answer named %r among %s" % (text, list(by_name))
            node = by_name[text]
            select(node)
            wait_for("the answer %r to be selected" % text, lambda: checked(node), 10)
            if self.kind == "single_answer":
                break


def start_display():
    """An X display of its own: Xvfb picks a free number and tells it."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1366x768x24", "-nolisten", "tcp"],
                              pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as answer:
        number = answer.readline().strip()
    if not number:
        server.kill()
        raise AssertionError("Xvfb did not start")
    return server, ":" + number


def main():
    stage, banks = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    display_server, display = start_display()
    os.environ["DISPLAY"] = display
    # The bus starts the accessibility services on demand: they need the display too.
    subprocess.run(["dbus-update-activation-environment", "DISPLAY=" + display], check=True)
    # The accessibility bus is up before the program looks for it.
    subprocess.run(["dbus-send", "--session", "--print-reply", "--reply-timeout=%d" % (BOUND_SECONDS * 1000),
                    "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                   check=True, stdout=subprocess.DEVNULL)
    try:
        take_quiz(stage, banks)
    finally:
        display_server.terminate()
        display_server.wait(20)


def take_quiz(stage, banks):
    bank = read_bank(os.path.join(banks, "intro"))
    home = tempfile.mkdtemp(prefix="quizdeck-bus-")
    environment = dict(os.environ)
    environment.update({
        "HOME": home,
        "XDG_CONFIG_HOME": os.path.join(home, "config"),
        "XDG_DATA_HOME": os.path.join(home, "data"),
        "XDG_CACHE_HOME": os.path.join(home, "cache"),
        "QUIZDECK_CONFIG_DIR": os.path.join(home, "config", "quizdeck"),
        "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        "QT_ACCESSIBILITY": "1",
        "QT_QPA_PLATFORM": "xcb",
    })
    environment.setdefault("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu")
    quizdeck = subprocess.Popen([os.path.join(stage, "quizdeck")], cwd=home, env=environment)
    try:
        start = wait_for("the start window", lambda: window("NAVRA Practice Exams"))
        press(wait_for("Start", lambda: find(start, "push button", "Start")))
        menu = wait_for("the main menu", lambda: window("Start the QUIZ"))
        for box in ("Wrong", "Right"):  # no explanation window after each answer
            node = wait_for(box, lambda: find(menu, "check box", box))
            if checked(node):
                act(node, "toggle", "press", "click")
                wait_for(box + " to be cleared", lambda: not checked(node), 10)
        press(wait_for("the quiz's start button", lambda: find(menu, "push button", "NAVRA VIZIZ Quiz")))

        right = graded = answered = 0
        plan = [True, False, True]
        for position in range(1, 16):
            quiz = wait_for("question %d" % position, lambda: window("Question  %d of" % position))
            question = wait_for("the page of question %d" % position, lambda: QuestionOnScreen.read(quiz, position, bank))
            if question.inputs and question.question:
                want_right = plan[answered]
                question.choose(want_right)
                answered += 1
                right += want_right
            graded += 1
            press(wait_for("Next", lambda: find(quiz, "push button", "Next ->")))
            expected = " %d/ %d" % (right, graded)
            wait_for("the score %r" % expected, lambda: find(window("Question  %d of" % (position + 1)) or quiz, "label", expected))
            if answered == len(plan):
                break
        assert answered == len(plan), "fewer than three choice questions in fifteen"

        end = wait_for("End and Grade", lambda: find(window("Question "), "menu item", "End and Grade This Quiz"))
        press(end)
        # Questions are left unanswered, so the quiz asks first.
        ask = wait_for("the end-of-quiz question", lambda: window("End and Grade This Quiz"))
        press(wait_for("Yes", lambda: find(ask, "push button", "Yes")))
        results = wait_for("the results window", lambda: window("Practice Test Results for:"))
        wait_for("the number right on the results window", lambda: find(results, "label", " %d" % right))
        print("answered %d choice questions by name, %d right of %d graded" % (answered, right, graded))
    finally:
        quizdeck.terminate()
        try:
            quizdeck.wait(20)
        except subprocess.TimeoutExpired:
            quizdeck.kill()
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    main()
