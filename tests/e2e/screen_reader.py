# SPDX-License-Identifier: MIT
"""What a screen reader sees of the real window, through AT-SPI.

Run inside a private session bus (dbus-run-session).  Starts the accessibility bus,
an X display unless VITALUNE_TEST_DISPLAY names one, and the program, then walks the
window's accessible tree.  Exit status 77: AT-SPI is not installed (skipped), unless
VITALUNE_REQUIRE_ALL=1 makes that a failure.

Usage: dbus-run-session -- python3 screen_reader.py /path/to/vitalune
"""

import os
import shutil
import subprocess
import sys
import time

LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


def wait_for(what, condition, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise SystemExit(f"timed out waiting for {what}")


def a11y_bus_up():
    return subprocess.run(
        ["gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path",
         "/org/a11y/bus", "--method", "org.a11y.Bus.GetAddress"],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0


def start_display(children):
    if os.environ.get("VITALUNE_TEST_DISPLAY"):
        return os.environ["VITALUNE_TEST_DISPLAY"]
    read, write = os.pipe()
    children.append(subprocess.Popen(
        ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=(write,), stderr=subprocess.DEVNULL))
    os.close(write)
    with os.fdopen(read) as f:
        return ":" + f.readline().strip()


def tree(acc):
    yield acc
    for child in acc:
        if child is not None:
            yield from tree(child)


def skip(missing):
    """Exit status 77 (skipped), or a failure where scripts/test requires everything."""
    if os.environ.get("VITALUNE_REQUIRE_ALL") == "1":
        print(f"FAIL: VITALUNE_REQUIRE_ALL=1, yet {missing} is missing")
        return 1
    print(f"skipped: {missing} is missing")
    return 77


def main(program):
    if not os.path.exists(LAUNCHER):
        return skip(LAUNCHER)
    if not shutil.which("gdbus"):
        return skip("gdbus")
    if not os.environ.get("VITALUNE_TEST_DISPLAY") and not shutil.which("Xvfb"):
        return skip("Xvfb")
    try:
        import pyatspi  # noqa: F401  (checked before anything is started)
    except ImportError:
        return skip("pyatspi")
    children = []
    try:
        os.environ["DISPLAY"] = start_display(children)
        # Asking for its address starts the accessibility bus through D-Bus activation.
        wait_for("the accessibility bus", a11y_bus_up, 15)
        env = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_QPA_PLATFORM="xcb")
        children.append(subprocess.Popen([program], env=env))
        return check(children[-1])
    finally:
        for child in reversed(children):
            child.terminate()
            try:
                child.wait(5)
            except subprocess.TimeoutExpired:
                child.kill()


def check(process):
    import pyatspi

    def application():
        if process.poll() is not None:
            raise SystemExit(f"the program ended early, status {process.returncode}")
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "vitalune" and app.childCount:
                return app
        return None

    app = wait_for("the program's window", application, 20)
    wait_for("the toolbar", lambda: any(a.name == "Fechar" for a in tree(app)), 10)
    by_name = {a.name: a for a in tree(app)}
    failures = []

    def expect(name, role, description=None):
        acc = by_name.get(name)
        if acc is None:
            failures.append(f"no control named {name!r}")
            return
        if acc.getRoleName() != role:
            failures.append(f"{name!r} is a {acc.getRoleName()!r}, not a {role!r}")
        if description is not None and not description(acc.description):
            failures.append(f"{name!r} reads {acc.description!r}")

    expect("Vitalune", "frame")
    expect("Barra de ferramentas", "tool bar")
    for button in ("Imprimir", "Ajuda", "Fechar", "Página da Lumenfold"):
        expect(button, "push button")
    expect("Mês de nascimento", "spin button", lambda d: d == "Fevereiro")
    expect("Dia de nascimento", "spin button", lambda d: d == "17")
    expect("Ano de nascimento", "spin button", lambda d: d == "1959")
    for field in ("Dia", "Mês", "Ano"):
        expect(f"{field} de referência", "spin button")
    for cycle in ("Físico", "Emocional", "Intelectual"):
        expect(cycle, "image", lambda d, c=cycle: d.startswith(c + " ") and "%, dia " in d)
    chart = [a for a in tree(app) if a.name.startswith("Gráfico de ")]
    if len(chart) != 1 or not chart[0].description.startswith("Dia "):
        failures.append("no chart description")

    # Stepping the reference day from the screen reader: the chart's description follows.
    if not failures:
        day = by_name["Dia de referência"]
        before = chart[0].description
        action = day.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        step = next((i for i, n in enumerate(names) if "increase" in n.lower()), None)
        down = next((i for i, n in enumerate(names) if "decrease" in n.lower()), None)
        if step is None or down is None:
            failures.append(f"the day control offers no step actions: {names}")
        else:
            # Down, except from the first of the month: the day always changes.
            action.doAction(step if day.description == "1" else down)
            wait_for("the chart description to follow the day",
                     lambda: chart[0].description != before, 10)

    for f in failures:
        print("FAIL:", f)
    print(f"checked the accessible tree of {app.name}: {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
