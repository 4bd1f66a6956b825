// Recording of descriptor problems found during static initialisation.
#pragma once

#include <string>

namespace MaxStandin {

// Keeps the message for maxhost::TakeDescriptorErrors and prints it to stderr.
void ReportDescriptorError(const std::string& message);

} // namespace MaxStandin
