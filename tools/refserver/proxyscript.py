"""The automatic proxy configuration script (PAC) of a test network:
GET /proxy.pac serves the script that POST /_control/pac (form field
"script") set, by default one that sends every address DIRECT. A reset puts
the default back."""

DEFAULT_SCRIPT = 'function FindProxyForURL(url, host) { return "DIRECT"; }\n'


def register(server):
    state = {"script": DEFAULT_SCRIPT}

    def script(exchange):
        exchange.send(200, state["script"].encode("utf-8"), content_type="application/x-ns-proxy-autoconfig")

    def set_script(exchange):
        state["script"] = exchange.form().get("script", DEFAULT_SCRIPT)
        exchange.send(200, b"ok")

    def reset():
        state["script"] = DEFAULT_SCRIPT

    server.route("GET", "/proxy.pac", script)
    server.route("POST", "/_control/pac", set_script)
    server.reset_hooks.append(reset)
