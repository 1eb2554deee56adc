// How long the download engine waits on a network that does not move. A slow
// line is no reason to give up; a server or address that has gone silent is.
#pragma once

struct DownloadTimeouts {
    // Name lookup, TCP connection and TLS handshake together. Windows itself
    // gives up a TCP connection after about 21 s and a name lookup after
    // about 10 s, so 30 s still lets a high-latency line (satellite, mobile)
    // through; libcurl's own default would be 300 s for every request.
    long connectMilliseconds = 30000;

    // A transfer (waiting for the answer included) ends when it moves fewer
    // than this many bytes per second for lowSpeedSeconds: in effect, after
    // a minute without data. Even a poor mobile line moves hundreds of bytes
    // a second, and TCP's retransmission back-off or a slow proxy stay well
    // inside a minute. A paused transfer is not measured.
    long lowSpeedBytesPerSecond = 1;
    long lowSpeedSeconds = 60;

    // A transfer broken by a passing fault (cut, reset, stalled) is taken up
    // where it broke: this many attempts in all, the waits between them
    // starting at firstReconnectDelayMilliseconds and doubling (1, 2, 4, 8 s),
    // each lengthened by up to a quarter at random, so that installers cut
    // off together do not all come back at the same moment.
    int transferAttempts = 5;
    long firstReconnectDelayMilliseconds = 1000;
};
