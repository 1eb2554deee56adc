"""The whole installation through a real forward proxy (squid), with the
user's proxy settings in the prefix's registry as a user's machine keeps
them: a manual "host:port", a per-scheme list, an automatic configuration
script served by the reference server, and a bypass list, each ending with
the package installed; and a proxy that refuses the Windows sign-in, ending
in the error dialog with its own text and nothing installed.

The installer is a configured copy whose download address names a host only
the proxy resolves, so a package that arrives has come through the proxy. The
statistics (WinInet's own proxy handling) go to the built-in loopback address;
the settings put "<-loopback>" in the bypass list, so that loopback is not
exempt from the proxy (Windows exempts it otherwise), and squid's access log
shows which way they went."""

import re

import pytest

from conftest import ROOT, RefServer, winpath
from proxy_bed import PROXY_ONLY_HOST, ForwardProxy, UserProxySettings, unused_port
from test_download_install_paths import (ERROR_CANCEL, ERROR_DIALOG, PACKAGE, PACKAGE_PATH, operations,
                                         requests, start_typical, wait_installed)
from test_full_installation import download_folder, installed_files, leave_no_product
from test_wizard_navigation import WIZARD, Wizard

pytestmark = pytest.mark.real_download

PROXY_ONLY_ORIGIN = f"http://{PROXY_ONLY_HOST}:{RefServer.PORT}"
BUILT_IN_ORIGIN = f"http://127.0.0.1:{RefServer.PORT}"
STATISTICS_PATH = "/DesktopService.asmx"


def english_text(item):
    """The English text of a text item (src/language), whitespace folded."""
    language = ROOT / "src" / "language"
    number = re.search(rf"\b{item} = (\d+)", (language / "ELang_Item.h").read_text()).group(1)
    text = re.search(rf'\{{{number}, u"(.*?)"\}}', (language / "TextTableEnglish.cpp").read_text()).group(1)
    return " ".join(text.replace(r"\r\n", " ").split())


@pytest.fixture(scope="module")
def proxy_only_installer(wine, installer_exe, tmp_path_factory):
    """A configured copy that downloads from the host only the proxy knows."""
    copy = tmp_path_factory.mktemp("proxy-only") / "CorvaneInstaller.exe"
    result = wine.run(installer_exe, "-build", winpath(copy), f"DOWNLOAD_LINK={PROXY_ONLY_ORIGIN}/download.asp")
    assert result.returncode == 0 and copy.exists()
    return copy


@pytest.fixture
def proxies(build_dir, request):
    """Starts test proxies (state under the build tree, which squid's own user
    can write) and stops them after the test."""
    started = []

    def start(auth=None):
        proxy = ForwardProxy(build_dir / "e2e-proxy" / f"{request.node.name}-{len(started)}", auth)
        started.append(proxy)
        return proxy
    yield start
    for proxy in started:
        proxy.stop()


@pytest.fixture
def user_proxy_settings(wine):
    settings = UserProxySettings(wine)
    yield settings
    settings.remove()


@pytest.fixture
def proxied_wizard(proxy_only_installer, wine, driver, refserver, build_dir):
    """Starts the configured copy once the test has set the scene; leaves no
    product and no armed fault behind."""
    started = []

    def start():
        process = wine.start(proxy_only_installer)
        started.append(process)
        assert driver("wait-window", WIZARD, 120)[0] == 0, "the wizard did not open"
        return Wizard(driver, process)
    refserver.control("reset")
    yield start
    leave_no_product(wine, build_dir)
    refserver.control("reset")


def manual(proxy, refserver):
    return {"servers": proxy.address, "bypass": "<-loopback>"}


def per_scheme(proxy, refserver):
    # The https entry names a port where no proxy listens: plain http must
    # take its own entry.
    return {"servers": f"https=127.0.0.1:{unused_port()};http={proxy.address}", "bypass": "<-loopback>"}


def automatic_script(proxy, refserver):
    refserver.control("pac", script=(
        "function FindProxyForURL(url, host) {\n"
        f'  if (host == "{PROXY_ONLY_HOST}") return "PROXY {proxy.address}";\n'
        '  return "DIRECT";\n'
        "}\n"))
    return {"script": f"{BUILT_IN_ORIGIN}/proxy.pac"}


def bypassed_file_server(proxy, refserver):
    # The download page, under the proxy's name, sends the installer on to
    # the package on the loopback address, which the bypass list sends
    # directly: each hop takes the route of its own address.
    refserver.control("fault", path="/download.asp", mode="redirect", location=f"{BUILT_IN_ORIGIN}{PACKAGE_PATH}")
    return {"servers": proxy.address, "bypass": "*.intranet.test;127.0.0.1;<-loopback>"}


# Each way of configuring the proxy, and what it sends through the proxy:
# the package (after the download page, which always goes through it) and
# the statistics. The script answers DIRECT for the loopback statistics
# service. (Wine's WinInet does not run automatic configuration scripts at
# all: it only keeps AutoConfigURL for the per-connection options, so under
# Wine the statistics would go directly whatever the script said; Windows
# runs the script, which says DIRECT here too.)
WORKING_SETTINGS = [
    pytest.param(manual, True, True, id="manual-host-port"),
    pytest.param(per_scheme, True, True, id="per-scheme-list"),
    pytest.param(automatic_script, True, False, id="automatic-script"),
    pytest.param(bypassed_file_server, False, False, id="bypass-list"),
]


@pytest.mark.parametrize("settings, package_proxied, statistics_proxied", WORKING_SETTINGS)
def test_the_package_arrives_through_the_proxy_the_settings_name(settings, package_proxied, statistics_proxied,
                                                                  proxies, user_proxy_settings, proxied_wizard,
                                                                  wine, refserver, screenshot, request):
    proxy = proxies()
    user_proxy_settings.apply(**settings(proxy, refserver))
    wizard = proxied_wizard()
    start_typical(wizard)
    wait_installed(wizard, screenshot, f"proxy-{request.node.callspec.id}-installed")
    assert installed_files(wine, "Corvane 2013.exe")
    assert operations(refserver) == ["StartInstallation", "EndInstallation"]

    through_proxy = proxy.requests()
    addresses = [address for _, address, _ in through_proxy]
    assert f"{PROXY_ONLY_ORIGIN}/download.asp" in addresses, through_proxy
    package = [address for address in addresses if address.endswith(PACKAGE_PATH)]
    assert bool(package) == package_proxied, through_proxy
    # The package's two requests (its name, then the transfer) reached the
    # server either way.
    assert len(requests(refserver, PACKAGE_PATH)) == 2
    statistics = [(method, address) for method, address, _ in through_proxy if address.endswith(STATISTICS_PATH)]
    if statistics_proxied:
        assert statistics == [("POST", f"{BUILT_IN_ORIGIN}{STATISTICS_PATH}")] * 2, through_proxy
    else:
        assert statistics == [], through_proxy


def test_a_proxy_that_refuses_the_windows_sign_in_shows_its_text_and_installs_nothing(
        proxies, user_proxy_settings, proxied_wizard, wine, refserver, screenshot):
    proxy = proxies(auth="basic")
    user_proxy_settings.apply(servers=proxy.address, bypass="<-loopback>")
    wizard = proxied_wizard()
    start_typical(wizard)
    assert wizard.ask("wait-window", ERROR_DIALOG, 120) == "", "no error dialog"
    screenshot("proxy-sign-in-refused")
    assert " ".join(wizard.ask("text", ERROR_DIALOG).split()) == english_text("LI_PROXY_SIGN_IN_REQUIRED")
    wizard.ask("press", ERROR_DIALOG, ERROR_CANCEL)
    assert wizard.ask("wait-gone", WIZARD, 60) == ""
    wizard.process.wait(timeout=30)

    assert not installed_files(wine, "Corvane 2013.exe")
    assert not list(download_folder(wine).glob("*.msi")), "a package file was left behind"
    # The proxy turned the download away; nothing of it reached the server.
    refused = [address for _, address, result in proxy.requests() if result.endswith("/407")]
    assert f"{PROXY_ONLY_ORIGIN}/download.asp" in refused, proxy.requests()
    assert not requests(refserver, "/download.asp") and not requests(refserver, PACKAGE_PATH)
