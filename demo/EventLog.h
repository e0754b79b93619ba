// What the demo reports: every line goes to the log in order and, when echoing, to standard output as it
// happens.
#pragma once

#include <string>
#include <vector>

struct EventLog {
    std::vector<std::string> lines;
    bool echo = false;

    void Write(const std::string& line);
};
