#pragma once

#include <vector>

namespace corvane::suite {

struct UsedResourceKey {
  const char* key;
  int arguments;  // how many arguments the callers pass with the key
};

const std::vector<UsedResourceKey>& UsedResourceKeys();

}  // namespace corvane::suite
