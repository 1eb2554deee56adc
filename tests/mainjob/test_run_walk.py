"""The README's main job as a newcomer runs it: tools/run without a display
builds the installer, starts the reference services and walks a whole
installation on a virtual display. This checks what the walk leaves behind:
every page's screenshot, the product installed in the run's own prefix and
the statistics reports the service accepted."""

import json
import os
import pathlib
import subprocess

ROOT = pathlib.Path(__file__).resolve().parents[2]
BUILD = pathlib.Path(os.environ.get("CORVANE_WINDOWS_BUILD", ROOT / "build" / "windows"))
SHOTS = BUILD / "run-artifacts"
SERVER_LOG = BUILD / "run-refserver" / "server.log"
PAGES = ["1-welcome", "2-licence", "3-components", "4-downloading", "5-carousel-step", "6-contact-details",
         "7-finish"]


def where_to_look():
    shots = sorted(SHOTS.glob("*.png"), key=lambda shot: shot.stat().st_mtime) if SHOTS.exists() else []
    last = shots[-1] if shots else "none"
    return f"the walk's last screenshot: {last}; the reference server's log: {SERVER_LOG}"


def test_the_main_job_walks_a_whole_installation():
    environment = {key: value for key, value in os.environ.items() if key != "DISPLAY"}
    walk = subprocess.run([str(ROOT / "tools" / "run")], env=environment, capture_output=True, text=True,
                          timeout=900)
    assert walk.returncode == 0, f"tools/run failed ({where_to_look()}):\n{walk.stdout[-3000:]}{walk.stderr[-3000:]}"

    missing = [page for page in PAGES if not (SHOTS / f"{page}.png").is_file()]
    assert not missing, f"no screenshot of {missing} ({where_to_look()})"

    drive_c = BUILD / "wine-run" / "prefix" / "drive_c"
    installed = list(drive_c.glob("Program Files*/Corvane 2013/Corvane 2013.exe"))
    assert installed, f"the product is not installed in the run's prefix {drive_c} ({where_to_look()})"

    calls = [call for call in json.loads((SHOTS / "statistics.json").read_text())
             if call["path"] == "/DesktopService.asmx"]
    assert [call["operation"] for call in calls] == ["StartInstallation", "EndInstallation"], where_to_look()
    rejected = [(call["operation"], call["problem"]) for call in calls if call["problem"]]
    assert not rejected, f"the statistics service rejected {rejected} ({where_to_look()})"
