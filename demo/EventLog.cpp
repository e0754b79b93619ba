#include "EventLog.h"

#include <cstdio>

void EventLog::Write(const std::string& line) {
    lines.push_back(line);
    if (echo)
        std::printf("%s\n", line.c_str());
}
