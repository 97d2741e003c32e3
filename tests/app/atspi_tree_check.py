#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The main window as a screen reader sees it, from outside the process.

Starts a private X display, a private D-Bus session with the accessibility bus and
its registry, and the program on the xcb platform with Qt's AT-SPI bridge on, then
reads the program's accessibility tree over AT-SPI (pyatspi), writes it to a file,
checks what a screen reader user relies on, presses the Performance tab through the
Action interface, checks that page's controls appear, opens and cancels the
sensitivity stages popup, and closes the window with Cancel. Everything started
here is ended at the end, whatever happened.

    atspi_tree_check.py BUILD_DIR OUTPUT_DIR [--time-scale N] [--sanitizer address|thread]

Exit status: 0 passed, 1 failed, 77 skipped (a prerequisite is not installed, or a
ThreadSanitizer build).
"""

import argparse
import ctypes
import importlib.util
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

SKIP = 77
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
REGISTRY_DAEMON = "/usr/libexec/at-spi2-registryd"
PR_SET_CHILD_SUBREAPER = 36


class CheckFailed(Exception):
    pass


class Stopped(Exception):
    """Out of time, or told to stop."""


def log(text):
    print(f"atspi: {text}", flush=True)


def missing_prerequisite():
    """Why the check cannot run here, or None."""
    if importlib.util.find_spec("pyatspi") is None:
        return "pyatspi is not installed (Debian package python3-pyatspi)"
    for program in (BUS_LAUNCHER, REGISTRY_DAEMON):
        if not os.access(program, os.X_OK):
            return f"{program} is missing (Debian package at-spi2-core)"
    for program, package in (("dbus-daemon", "dbus"), ("Xvfb", "xvfb")):
        if shutil.which(program) is None:
            return f"{program} is missing (Debian package {package})"
    return None


def wait_for(condition, what, timeout, interval=0.05):
    """Polls `condition` until it returns something true; fails after `timeout` s."""
    end = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > end:
            raise CheckFailed(f"timed out waiting for {what}")
        time.sleep(interval)


# --- processes -----------------------------------------------------------------


def children_of(pid):
    """Live (not yet reaped) children of `pid`, from /proc."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat", "rb") as stat:
                fields = stat.read().rsplit(b")", 1)[1].split()
        except OSError:
            continue
        if int(fields[1]) == pid:
            found.append((int(entry), fields[0].decode()))
    return found


def descendants():
    """Every process below this one, with its state letter."""
    found, queue = [], [os.getpid()]
    while queue:
        for pid, state in children_of(queue.pop()):
            found.append((pid, state))
            queue.append(pid)
    return found


def reap():
    """Collects exited children, which become ours as the subreaper."""
    while True:
        try:
            pid, _ = os.waitpid(-1, os.WNOHANG)
        except ChildProcessError:
            return
        if pid == 0:
            return


def end_everything(grace=3.0):
    """Ends every process started below this one, detached ones included."""
    for sig in (signal.SIGTERM, signal.SIGKILL):
        for pid, state in descendants():
            if state != "Z":
                try:
                    os.kill(pid, sig)
                except ProcessLookupError:
                    pass
        end = time.monotonic() + grace
        while time.monotonic() < end:
            reap()
            if not [p for p, s in descendants() if s != "Z"]:
                break
            time.sleep(0.05)
        reap()
        if not descendants():
            return []
    return descendants()


def start(command, env, output):
    return subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL, stdout=output,
                            stderr=subprocess.STDOUT)


def start_display(work, output):
    """A private X display; returns its name (":N")."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                               "-nolisten", "tcp", "-noreset"], stdin=subprocess.DEVNULL, stdout=output,
                              stderr=subprocess.STDOUT, pass_fds=(write_end,), cwd=work)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number.isdigit():
        raise CheckFailed(f"Xvfb did not report a display (exit status {server.poll()})")
    return ":" + number


def start_session_bus(env, output):
    """A private D-Bus session; returns its address."""
    read_end, write_end = os.pipe()
    subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--nopidfile", f"--print-address={write_end}"],
                     env=env, stdin=subprocess.DEVNULL, stdout=output, stderr=subprocess.STDOUT,
                     pass_fds=(write_end,))
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        address = pipe.readline().strip()
    if not address:
        raise CheckFailed("dbus-daemon did not report an address")
    return address


def bus_call(address, destination, path, interface, method, arguments, reply_type):
    """One method call on the message bus at `address`; the reply's values."""
    from gi.repository import Gio, GLib

    connection = Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
        None, None)
    try:
        return connection.call_sync(destination, path, interface, method, arguments, GLib.VariantType(reply_type),
                                    Gio.DBusCallFlags.NONE, 5000, None).unpack()
    finally:
        connection.close_sync(None)


def name_has_owner(address, name):
    from gi.repository import GLib

    return bus_call(address, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
                    GLib.Variant("(s)", (name,)), "(b)")[0]


def accessibility_bus_address(session_address):
    return bus_call(session_address, "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None, "(s)")[0]


# --- reading the tree ------------------------------------------------------------


class Node:
    """One accessible as read over the bus, with its children."""

    def __init__(self, accessible, depth):
        import pyatspi

        self.accessible = accessible
        self.depth = depth
        self.role = accessible.getRoleName()
        self.name = accessible.name or ""
        self.states = {pyatspi.stateToString(s) for s in accessible.getState().getStates()}
        self.child_count = accessible.childCount
        self.value = None
        try:
            value = accessible.queryValue()
            self.value = (value.currentValue, value.minimumValue, value.maximumValue)
        except NotImplementedError:
            pass
        self.text = None
        try:
            self.text = accessible.queryText().getText(0, -1)
        except NotImplementedError:
            pass
        self.actions = []
        try:
            action = accessible.queryAction()
            self.actions = [action.getName(i) for i in range(action.nActions)]
        except NotImplementedError:
            pass
        self.children = []

    def has(self, *states):
        return all(state in self.states for state in states)

    def line(self):
        text = f"{'  ' * self.depth}[{self.role}] \"{self.name}\" children={self.child_count}"
        text += f" states={','.join(sorted(self.states))}"
        if self.value is not None:
            text += " value={:g} range={:g}..{:g}".format(*self.value)
        if self.text is not None:
            text += f" text=\"{self.text}\""
        if self.actions:
            text += f" actions={','.join(self.actions)}"
        return text

    def walk(self):
        yield self
        for child in self.children:
            yield from child.walk()

    def shown(self, role=None, name=None):
        """Nodes below this one on screen, optionally of one role and name."""
        return [node for node in self.walk() if node is not self and "showing" in node.states and
                (role is None or node.role == role) and (name is None or node.name == name)]


def read_tree(accessible, depth=0):
    node = Node(accessible, depth)
    for index in range(node.child_count):
        child = accessible.getChildAtIndex(index)
        if child is not None:
            node.children.append(read_tree(child, depth + 1))
    return node


def read_application(pid):
    """The program's tree, or None while it is not (or not fully) there."""
    import pyatspi
    from gi.repository import Atspi, GLib

    try:
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            application = desktop.getChildAtIndex(index)
            if application is None or application.get_process_id() != pid:
                continue
            # Every read asks the program itself: a cached state would hide what
            # the bridge says now.
            application.set_cache_mask(Atspi.Cache.NONE)
            application.clear_cache()
            return read_tree(application)
    except GLib.GError:
        pass  # an object went away while it was read: the window is changing
    return None


def windows_on_show(application):
    return [child for child in application.children if "showing" in child.states]


def main_window(application):
    """The one top-level window on show, when it is the only one."""
    shown = windows_on_show(application)
    return shown[0] if len(shown) == 1 else None


def write_tree(tree, path):
    with open(path, "w") as file:
        for node in tree.walk():
            file.write(node.line() + "\n")
    log(f"tree written to {path}")


def perform(node, action_name):
    action = node.accessible.queryAction()
    for index in range(action.nActions):
        if action.getName(index) == action_name:
            if not action.doAction(index):
                raise CheckFailed(f"{node.role} \"{node.name}\" refused its {action_name} action")
            return
    raise CheckFailed(f"{node.role} \"{node.name}\" offers no {action_name} action ({node.actions})")


# --- what a screen reader user relies on ---------------------------------------------

WINDOW_TITLE = "Zemko Tovik Configurator"
PAGE_TABS = ["Assign Buttons", "Performance", "Profiles", "Macros", "Lighting & Power"]
POLLING_RATES = ["125 Hz", "500 Hz", "1000 Hz"]
# Roles that tell a listener nothing about what a control does.
MEANINGLESS_ROLES = {"filler", "unknown", "invalid", "panel"}


class Checks:
    def __init__(self):
        self.failures = []

    def expect(self, condition, message):
        if not condition:
            self.failures.append(message)
        return condition


# What a screen reader offers to do with an enabled control of each role.
EXPECTED_ACTIONS = {"push button": "Press", "page tab": "Press", "radio button": "Press", "check box": "Toggle"}


def check_controls_are_named(checks, window, where):
    """Everything a user can reach says what it is and its name; what looks like a
    button can be pressed as one."""
    for node in window.shown():
        if node.has("enabled", "focusable"):
            checks.expect(node.role not in MEANINGLESS_ROLES and node.name.strip(),
                          f"{where}: focusable [{node.role}] \"{node.name}\" has no useful role or name")
        action = EXPECTED_ACTIONS.get(node.role)
        if action and node.has("enabled"):
            checks.expect(action in node.actions, f"{where}: [{node.role}] \"{node.name}\" offers no {action}")


def check_tabs(checks, window, selected, where):
    tabs = window.shown(role="page tab")
    checks.expect([tab.name for tab in tabs] == PAGE_TABS,
                  f"{where}: page tabs {[tab.name for tab in tabs]}, expected {PAGE_TABS}")
    chosen = [tab.name for tab in tabs if tab.has("selected")]
    checks.expect(chosen == [selected], f"{where}: selected tabs {chosen}, expected [\"{selected}\"]")
    for tab in tabs:
        checks.expect("Press" in tab.actions, f"{where}: tab \"{tab.name}\" cannot be pressed ({tab.actions})")


def check_start_page(checks, window):
    where = "start"
    checks.expect(window.role == "frame" and window.name == WINDOW_TITLE,
                  f"the main window is [{window.role}] \"{window.name}\", expected [frame] \"{WINDOW_TITLE}\"")
    check_tabs(checks, window, "Assign Buttons", where)
    for name in ("OK", "Cancel"):
        buttons = window.shown(role="push button", name=name)
        if checks.expect(len(buttons) == 1, f"{where}: {len(buttons)} push buttons \"{name}\" on show"):
            checks.expect(buttons[0].has("enabled", "focusable") and "Press" in buttons[0].actions,
                          f"{where}: \"{name}\" is not an enabled button with Press: {buttons[0].line().strip()}")
    # A drop-down's choice reaches a screen reader only as its text.
    for combo in window.shown(role="combo box"):
        checks.expect(combo.text, f"{where}: combo box \"{combo.name}\" does not say what is chosen in it")
    profile = window.shown(role="combo box", name="The profile the mouse uses now")
    checks.expect([combo.text for combo in profile] == ["PROFILE01"],
                  f"{where}: the profile drop-down should read PROFILE01: {[n.line().strip() for n in profile]}")
    apply = window.shown(role="push button", name="Apply")
    checks.expect(len(apply) == 1 and not apply[0].has("enabled"),
                  f"{where}: Apply should be on show and disabled before any change: {[n.line() for n in apply]}")
    check_controls_are_named(checks, window, where)


def check_performance_page(checks, window):
    where = "performance page"
    check_tabs(checks, window, "Performance", where)
    rates = window.shown(role="radio button")
    checks.expect([rate.name for rate in rates] == POLLING_RATES,
                  f"{where}: polling-rate radio buttons {[rate.name for rate in rates]}, expected {POLLING_RATES}")
    checked = [rate.name for rate in rates if rate.has("checked")]
    checks.expect(len(checked) == 1, f"{where}: checked polling rates {checked}, expected one")

    sliders = window.shown(role="slider", name="DPI")
    if checks.expect(len(sliders) == 1, f"{where}: {len(sliders)} sliders \"DPI\" on show"):
        slider = sliders[0]
        current, low, high = slider.value or (0, 0, 0)
        checks.expect(slider.value is not None and low < high and low <= current <= high,
                      f"{where}: the sensitivity slider has no sensible value: {slider.line().strip()}")
        checks.expect(slider.has("enabled", "focusable") and {"Increase", "Decrease"} <= set(slider.actions),
                      f"{where}: the sensitivity slider cannot be moved: {slider.line().strip()}")

    boxes = window.shown(role="check box")
    checks.expect(any(box.has("checked") for box in boxes) and any(not box.has("checked") for box in boxes),
                  f"{where}: check boxes should show both states: {[box.line().strip() for box in boxes]}")
    checks.expect(not window.shown(role="label", name="Button assignments"),
                  f"{where}: the button assignment page is still on show")
    check_controls_are_named(checks, window, where)


def check_disabled_slider_stays(checks, pid, window):
    """A slider drawn disabled keeps its value whatever an assistive tool asks."""
    disabled = [node for node in window.shown(role="slider") if not node.has("enabled") and node.value]
    if not checks.expect(disabled, "performance page: no disabled slider (acceleration off) on show"):
        return
    slider = disabled[0]
    before = slider.value[0]
    if "Increase" in slider.actions:
        perform(slider, "Increase")
    try:
        slider.accessible.queryValue().currentValue = slider.value[2]
    except Exception as error:  # a refusal is as good as ignoring it
        log(f"setting the disabled slider's value was refused: {error}")
    after = read_application(pid)
    if after is None:
        raise CheckFailed("the program's tree went away after changing a disabled slider")
    same = [node for node in main_window(after).shown(role="slider", name=slider.name)]
    checks.expect(same and same[0].value and same[0].value[0] == before,
                  f"the disabled slider \"{slider.name}\" moved from {before}: {[n.line().strip() for n in same]}")


def check_stages_popup(checks, popup, sensitivity):
    """The popup a button opened: a dialog named by its heading, one stage chosen,
    and the chosen stage's value the one the page's slider shows."""
    where = "sensitivity stages popup"
    checks.expect(popup.role == "dialog" and popup.name == "Sensitivity Stages",
                  f"{where}: the popup is [{popup.role}] \"{popup.name}\"")
    stages = [node for node in popup.shown(role="radio button") if node.name.startswith("Stage ")]
    chosen = [stage.name for stage in stages if stage.has("checked")]
    checks.expect(len(stages) >= 2 and len(chosen) == 1, f"{where}: stages {[s.name for s in stages]}, chosen {chosen}")
    if chosen and sensitivity is not None:
        checks.expect(chosen[0].endswith(f": {sensitivity:g}"),
                      f"{where}: the chosen stage \"{chosen[0]}\" is not the page's sensitivity {sensitivity:g}")
    for name in ("OK", "Cancel"):
        checks.expect(len(popup.shown(role="push button", name=name)) == 1, f"{where}: no \"{name}\" button")
    check_controls_are_named(checks, popup, where)


PROFILE_TABLE = "Profiles on the mouse"
PROFILE_COLUMNS = ["Active", "No.", "Profile name", "Linked program", "Auto"]


def check_profile_table(checks, node):
    table = node.accessible.queryTable()
    headers = []
    for column in range(table.nColumns):
        header = table.getColumnHeader(column)
        headers.append(header.name if header is not None else None)
    checks.expect(headers == PROFILE_COLUMNS, f"profile table: column headers {headers}, not {PROFILE_COLUMNS}")
    checks.expect(table.nRows >= 1, f"profile table: {table.nRows} rows")
    if table.nRows >= 1 and table.nColumns == len(PROFILE_COLUMNS):
        name = table.getAccessibleAt(0, PROFILE_COLUMNS.index("Profile name"))
        checks.expect(name is not None and name.name == "PROFILE01",
                      f"profile table: the first profile is \"{name.name if name else None}\", not PROFILE01")
        active = table.getAccessibleAt(0, 0)
        checks.expect(active is not None and active.getRoleName() == "check box",
                      "profile table: the Active cell is not a check box")


def role_counts(window):
    counts = {}
    for node in window.walk():
        counts[node.role] = counts.get(node.role, 0) + 1
    return ", ".join(f"{role} {count}" for role, count in sorted(counts.items(), key=lambda item: -item[1]))


# --- the run ---------------------------------------------------------------------


def run(arguments, work, output):
    scale = arguments.time_scale
    app_dir = os.path.join(arguments.build_dir, "app")
    program = os.path.join(app_dir, "zemko-tovik")
    devices_tool = os.path.join(app_dir, "zemko-tovik-devices")
    for executable in (program, devices_tool):
        if not os.access(executable, os.X_OK):
            raise CheckFailed(f"{executable} is not built")
    os.makedirs(arguments.output_dir, exist_ok=True)

    runtime = os.path.join(work, "runtime")
    os.mkdir(runtime, 0o700)
    env = dict(os.environ)
    for name in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY", "SESSION_MANAGER",
                 "ZEMKO_TOVIK_SCREENSHOT", "ZEMKO_TOVIK_BENCH_TOUR", "NO_AT_BRIDGE"):
        env.pop(name, None)
    env.update(HOME=os.path.join(work, "home"), XDG_RUNTIME_DIR=runtime,
               XDG_CONFIG_HOME=os.path.join(work, "home", "config"), XDG_DATA_HOME=os.path.join(work, "home", "data"))

    env["DISPLAY"] = start_display(work, output)
    env["DBUS_SESSION_BUS_ADDRESS"] = start_session_bus(env, output)
    start([BUS_LAUNCHER, "--launch-immediately", "--a11y=1", "--screen-reader=1"], env, output)
    wait_for(lambda: name_has_owner(env["DBUS_SESSION_BUS_ADDRESS"], "org.a11y.Bus"), "the accessibility bus",
             10 * scale)
    a11y_address = accessibility_bus_address(env["DBUS_SESSION_BUS_ADDRESS"])
    # Only the registry is told the address. Qt given AT_SPI_BUS_ADDRESS connects
    # before its bridge listens and never registers; asked through the session bus,
    # it does.
    start([REGISTRY_DAEMON], dict(env, AT_SPI_BUS_ADDRESS=a11y_address), output)
    wait_for(lambda: name_has_owner(a11y_address, "org.a11y.atspi.Registry"), "the accessibility registry",
             10 * scale)

    devices = os.path.join(work, "devices")
    plugged = subprocess.run([devices_tool, "--dir", devices, "plug", "mouse"], env=env, stdout=output,
                             stderr=subprocess.STDOUT, timeout=10 * scale)
    if plugged.returncode != 0:
        raise CheckFailed(f"zemko-tovik-devices plug mouse ended with {plugged.returncode}")

    milestones = os.path.join(work, "milestones.txt")
    # The names checked are English, whatever the locale of the one running this.
    app = start([program, "--language", "English"], dict(env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                                ZEMKO_TOVIK_DEVICE_DIR=devices, ZEMKO_TOVIK_EMU_LATENCY_MS="0",
                                ZEMKO_TOVIK_REGISTRY=os.path.join(work, "registry.ini"),
                                ZEMKO_TOVIK_MILESTONES=milestones), output)

    def first_paint():
        if app.poll() is not None:
            raise CheckFailed(f"the program ended with {app.returncode} before its first paint")
        try:
            with open(milestones) as file:
                return any(line.split()[:1] == ["first-paint"] for line in file)
        except FileNotFoundError:
            return False

    wait_for(first_paint, "the program's first paint", 20 * scale)

    # pyatspi finds the buses through the environment when it is first imported.
    for name in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS"):
        os.environ[name] = env[name]
    import pyatspi  # noqa: F401
    from gi.repository import Atspi

    # A call the program leaves unanswered fails within seconds instead of libatspi's
    # default wait.
    Atspi.set_timeout(5000 * scale, 15000 * scale)

    def settled(condition):
        def read():
            if app.poll() is not None:
                raise CheckFailed(f"the program ended with {app.returncode}")
            tree = read_application(app.pid)
            window = main_window(tree) if tree else None
            return (tree, window) if window and condition(window) else None
        return read

    # The first read is over when its progress window has gone and OK can be pressed.
    tree, window = wait_for(
        settled(lambda window: any(node.has("enabled") for node in window.shown(role="push button", name="OK"))),
        "the main window alone on show after the first read", 10 * scale)
    write_tree(tree, os.path.join(arguments.output_dir, "atspi-tree.txt"))
    log(f"main window: {role_counts(window)}")
    checks = Checks()
    check_start_page(checks, window)

    tabs = window.shown(role="page tab", name="Performance")
    if not tabs:
        raise CheckFailed("no Performance tab to press: " + "; ".join(checks.failures))
    perform(tabs[0], "Press")
    tree, window = wait_for(
        settled(lambda window: window.shown(role="radio button", name=POLLING_RATES[0])),
        "the performance page after pressing its tab", 10 * scale)
    write_tree(tree, os.path.join(arguments.output_dir, "atspi-tree-performance.txt"))
    log(f"main window on the performance page: {role_counts(window)}")
    check_performance_page(checks, window)
    check_disabled_slider_stays(checks, app.pid, window)

    # A button that opens a popup: the press is answered at once (a press that
    # waited for the popup to close would time out here), the popup shows as a
    # dialog of its own, and its Cancel brings the main window back alone.
    sensitivity = next((node.value[0] for node in window.shown(role="slider", name="DPI") if node.value), None)
    opener = window.shown(role="push button", name="Sensitivity Stages")
    if not opener:
        raise CheckFailed("performance page: no \"Sensitivity Stages\" button: " + "; ".join(checks.failures))
    perform(opener[0], "Press")

    def popup_on_show():
        tree = read_application(app.pid)
        shown = windows_on_show(tree) if tree else []
        return next((child for child in shown if child.role == "dialog"), None)

    popup = wait_for(popup_on_show, "the sensitivity stages popup", 10 * scale)
    check_stages_popup(checks, popup, sensitivity)
    cancel = popup.shown(role="push button", name="Cancel")
    if not cancel:
        raise CheckFailed("the stages popup has no Cancel: " + "; ".join(checks.failures))
    perform(cancel[0], "Press")
    tree, window = wait_for(settled(lambda window: window.role == "frame"), "the main window back alone", 10 * scale)

    # The profile table: its cells are read with their column's header, which is
    # what a listener hears as the keyboard moves along a row.
    tabs = window.shown(role="page tab", name="Profiles")
    if not tabs:
        raise CheckFailed("no Profiles tab to press: " + "; ".join(checks.failures))
    perform(tabs[0], "Press")
    tree, window = wait_for(settled(lambda window: window.shown(role="table", name=PROFILE_TABLE)),
                            "the profiles page after pressing its tab", 10 * scale)
    write_tree(tree, os.path.join(arguments.output_dir, "atspi-tree-profiles.txt"))
    check_profile_table(checks, window.shown(role="table", name=PROFILE_TABLE)[0])

    # Nothing was changed, so Cancel closes the program at once.
    cancel = window.shown(role="push button", name="Cancel")
    if cancel:
        perform(cancel[0], "Press")
        try:
            status = app.wait(timeout=10 * scale)
            checks.expect(status == 0, f"the program ended with {status} after Cancel")
        except subprocess.TimeoutExpired:
            checks.expect(False, "the program did not end after Cancel")

    for failure in checks.failures:
        print(f"FAIL: {failure}")
    return 1 if checks.failures else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("build_dir")
    parser.add_argument("output_dir")
    parser.add_argument("--time-scale", type=int, default=1)
    parser.add_argument("--sanitizer", default="", help="the build's sanitizer (ZT_SANITIZE)")
    arguments = parser.parse_args()

    if arguments.sanitizer == "thread":
        # The program's own threads are checked by the other tests; here the
        # uninstrumented Qt D-Bus thread and GLib hand descriptors over in ways
        # ThreadSanitizer reads as races, before the window is even drawn.
        print("SKIP: under ThreadSanitizer Qt's D-Bus connection thread reports races of Qt and GLib")
        return SKIP
    reason = missing_prerequisite()
    if reason:
        print(f"SKIP: {reason}")
        return SKIP

    # Detached processes (the tray companion, the buses' helpers) become our
    # children when their parents end, so none escapes the clean-up.
    libc = ctypes.CDLL(None, use_errno=True)
    if libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) != 0:
        print(f"FAIL: cannot adopt detached processes: {os.strerror(ctypes.get_errno())}")
        return 1

    def stop(signum, frame):
        raise Stopped("out of time" if signum == signal.SIGALRM else f"stopped by {signal.Signals(signum).name}")

    signal.signal(signal.SIGALRM, stop)
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    signal.alarm(40 * arguments.time_scale)

    started = time.monotonic()
    work = tempfile.mkdtemp(prefix="zt-atspi-")
    output_path = os.path.join(work, "processes.log")
    status = 1
    try:
        with open(output_path, "w") as output:
            status = run(arguments, work, output)
    except CheckFailed as failure:
        print(f"FAIL: {failure}")
    except Stopped as reason:
        print(f"FAIL: {reason}")
    except Exception:  # a bus or the program misbehaved in a way not foreseen: still a failure
        traceback.print_exc(file=sys.stdout)
    finally:
        # The clean-up must run to its end, whatever arrives meanwhile.
        signal.alarm(0)
        signal.signal(signal.SIGTERM, signal.SIG_IGN)
        signal.signal(signal.SIGINT, signal.SIG_IGN)
        left = end_everything()
        if left:
            print(f"FAIL: processes still running: {left}")
            status = 1
        if status != 0 and os.path.exists(output_path):
            with open(output_path, errors="replace") as output:
                sys.stdout.write("--- output of the started processes ---\n" + output.read())
        shutil.rmtree(work, ignore_errors=True)
    log(f"{'passed' if status == 0 else 'failed'} in {time.monotonic() - started:.1f} s")
    return status


if __name__ == "__main__":
    sys.exit(main())
