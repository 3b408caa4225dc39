// Replays every input of the fuzzer's seed corpus (fuzz/corpus) through the
// fuzzer's own property check, so that the inputs that once broke it, and the
// seeds, are checked in every build and under the sanitizers, not only when
// the fuzzer runs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "first_actions_property.h"

namespace vantorel {
namespace {

std::vector<std::filesystem::path> corpusFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(VANTOREL_FUZZ_CORPUS_DIR)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

class CorpusReplay : public testing::TestWithParam<std::filesystem::path> {};

TEST_P(CorpusReplay, KeepsThePromise) {
  std::ifstream in(GetParam(), std::ios::binary);
  ASSERT_TRUE(in) << GetParam();
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(checkFirstActions(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), "");
}

TEST(CorpusReplay, CorpusIsThere) { EXPECT_GE(corpusFiles().size(), 10U); }

INSTANTIATE_TEST_SUITE_P(Seeds, CorpusReplay, testing::ValuesIn(corpusFiles()),
                         [](const testing::TestParamInfo<std::filesystem::path>& row) {
                           std::string name = row.param.filename().string();
                           std::replace_if(
                               name.begin(), name.end(),
                               [](unsigned char c) { return std::isalnum(c) == 0; }, '_');
                           return name;
                         });

}  // namespace
}  // namespace vantorel
