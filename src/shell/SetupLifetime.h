#pragma once

// Lives in the entry point for the whole message loop. Construction gives every field of the
// global record its initial value; destruction closes the install log and releases the
// script, also when an error escapes the loop.
class SetupLifetime {
public:
    SetupLifetime();
    ~SetupLifetime();

    SetupLifetime(const SetupLifetime&) = delete;
    SetupLifetime& operator=(const SetupLifetime&) = delete;
};
