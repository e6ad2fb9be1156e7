// Publish.log in the data folder: one line per publishing event (accepted, refused,
// no answer), newest last, so an administrator can see why the domain is not where the
// profile says. It never grows past kLimit: the full file becomes Publish.log.1 (the
// one before that is dropped) and a new one starts.
#pragma once
#include <string>

constexpr unsigned long kPublishLogLimit = 64 * 1024;

// Appends "<UTC time> <line>" to the log in `folder` (ending in a backslash). Writing
// the log never fails the publishing: a log that cannot be written is skipped.
void AppendPublishLog(const std::wstring& folder, const std::string& line);
