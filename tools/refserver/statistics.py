"""The installation-statistics service "DesktopService.asmx". The installer
calls four operations; the service also defines those it never calls. Every
operation answers with its empty response element: what the service
received is read back from `GET /_control/soap` (soap.py), in order."""

from . import soap
from .soap import BOOLEAN, STRING

PATH = "/DesktopService.asmx"


def _strings(*names):
    return [(name, STRING) for name in names]


OPERATIONS = (
    # Called by the installer.
    soap.Operation("StartInstallation", _strings(
        "Guid", "ProductCode", "Installer_build", "MACAddress", "Language", "OSVersion", "JoinLink", "Country",
        "WID")),
    soap.Operation("EndInstallation", _strings("Guid", "MSI_build")),
    soap.Operation("CancelInstallation", _strings("Guid")),
    soap.Operation("SaveUserInstallation", _strings("Guid", "Email", "FirstName", "LastName") + [("Optin", BOOLEAN)]),
    # Defined by the service, never called by the installer.
    soap.Operation("CancelInstallation_V2", _strings("Guid", "Xml")),
    soap.Operation("EndInstallation_V2", _strings("Guid", "MSI_build", "ProductTitle")),
    soap.Operation("EndInstallation_V3", _strings("Guid", "DesktopXml")),
    soap.Operation("SaveUserInstallationRetailer", _strings("Guid", "Email", "FirstName", "LastName")
                   + [("Optin", BOOLEAN)] + _strings("Retailer", "PurchaseDate", "ProductTitle")),
    soap.Operation("Uninstall", _strings("Guid")),
)


def register(server, namespace):
    soap.register(server, soap.SoapService(PATH, namespace, OPERATIONS))
