#pragma once

// Outcome of a synchronous request to the server. Facade operations return
// -1 instead when the manager (or the centre) they need does not exist.
enum RequestResult : int {
    Done = 0,          // answered "200 OK", or the table emptied without a recorded answer
    Refused = 1,       // answered "400 FAILED"
    Busy = 2,          // another request still waits for its answer
    TimedOut = 3,      // nothing arrived within the answer limit
    NotConnected = 4,  // the connection is closed or the send failed
};

constexpr int kMissingManager = -1;
