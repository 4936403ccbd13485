#pragma once

// What a loudspeaker check of a selection did.
struct SpeakerCheckOutcome
{
    int sent = 0;          // checks sent
    int failed = 0;        // of those, requests that did not succeed
    bool refused = false;  // at least one amplifier was not idle or had a warning
};
