// One PNG showing every picture at twice its size, named, for reviewing the set.
#pragma once

namespace art {

bool writeContactSheet(const char* path);

}  // namespace art
