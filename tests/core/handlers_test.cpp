// The two calculation handlers, from box texts to
// result texts, and the replay of the fuzzer's corpus.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "calc_error.h"
#include "first_actions.h"
#include "first_actions_property.h"

namespace vantorel {
namespace {

const BoxTexts kDefaults{"420100", "0910100", "000", "-8"};

std::string texts(const OnecalcResult& r) { return r.azimuthTrueText + " " + r.azimuthMagneticText + " " + r.elevationText; }

// What the defaults give with the satellite at whole degrees West.
std::string textsFor(int satellite) {
  BoxTexts boxes = kDefaults;
  boxes.Text6 = std::to_string(satellite);
  return texts(calculateFromBoxes(boxes));
}

// A row or a typed satellite computes with its longitude rounded to whole
// degrees, halves to even; no row (or an empty slot) computes nothing but
// still checks the boxes.
TEST(HandlersTest, ComputeWithWholeDegrees) {
  EXPECT_EQ(textsFor(101), "194.7342 202.7342 40.41615");
  EXPECT_EQ(texts(calculateFromBoxes({"420100", "0910100", "101", "180"})), "194.7342 14.73421 40.41615");
  const std::pair<const char*, int> typed[] = {{"180", 180}, {"-5", -5}, {"2.5", 2}, {"61.5", 62}, {" 109.8 ", 110}};
  for (const auto& [text, degrees] : typed) {
    EXPECT_EQ(texts(calculateFromBoxes({"420100", "0910100", text, "-8"})), textsFor(degrees)) << text;
  }
  Catalogue c;
  listmod(c);
  const std::pair<int, int> rows[] = {{0, 62},   {3, 65},   {4, 70},   {5, 72},   {32, 101},
                                      {33, 102}, {39, 106}, {63, 138}, {68, 156}};
  for (const auto& [row, degrees] : rows) {
    const auto result = calculateForListRow({"420100", "0910100", "not read", "-8"}, c, row);
    EXPECT_EQ(result ? texts(*result) : "nothing", textsFor(degrees)) << row;
  }
  EXPECT_FALSE(calculateForListRow(kDefaults, c, -1).has_value());
  EXPECT_THROW(calculateForListRow({"4201", "0910100", "000", "-8"}, c, -1), CalcError);
}

// The first box that fails is named, in this order: the declination, the
// satellite longitude's limit, latitude, longitude, the satellite's
// rounding. The message quotes the text safely (control characters and bytes
// that are not UTF-8 escaped, a pasted page cut at a character boundary, so
// that it stays narrower than the screen), names a range rather than calling
// a negative number too large, and hints at what to type for the usual slips.
TEST(HandlersTest, RefusalNamesTheFirstBoxThatFails) {
  const std::string pasted = std::string(39, '4') + "\xc2\xb0" + std::string(30000, 'x');
  const std::string sure = "\" is not a number. Enter";  // no hint
  struct {
    BoxTexts boxes;
    Field field;
    Fault fault;
    std::string shown;  // a part of the message
  } const rows[] = {
      {{"x", "x", "x", "x"}, Field::Declination, Fault::NotANumber, "\"x" + sure},
      {{"420100", "0910100", "", "-8"}, Field::SatelliteLongitude, Fault::NotANumber, ""},
      {{"x", "0910100", "180.5", "-8"}, Field::SatelliteLongitude, Fault::OutOfRange, ""},
      {{"4x0100", "x", "000", "-8"}, Field::Latitude, Fault::NotANumber, ""},
      {{pasted, "0910100", "000", "-8"}, Field::Latitude, Fault::NotANumber, "\"" + pasted.substr(0, 39) + "\u2026\""},
      {{std::string(39, '4') + "x", "x", "0", "-8"}, Field::Latitude, Fault::NotANumber, std::string(39, '4') + "x" + sure},
      {{std::string(38, '4') + "\xf0\x9f\x93\xa1", "x", "0", "-8"}, Field::Latitude, Fault::NotANumber,
       std::string(38, '4') + "\u2026\""},
      {{"\x1b[2J\xc2\x9b-33.8\r\n\t\x7f", "x", "0", "-8"}, Field::Latitude, Fault::NotANumber,
       R"("\x1b[2J\xc2\x9b-33.8\r\n\t\x7f")"},
      {{"\xb0\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80", "x", "0", "-8"}, Field::Latitude, Fault::NotANumber,
       R"("\xb0\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80")"},
      // Three- and four-byte characters cut short by their last byte.
      {{"\xe2\x82" "X\xf0\x9f\x93" "Y", "x", "0", "-8"}, Field::Latitude, Fault::NotANumber,
       R"("\xe2\x82X\xf0\x9f\x93Y")"},
      // Characters at the bounds of their leads and second bytes, and a blank, shown as typed; a byte that leads
      // nothing escaped.
      {{"\xc3\x80\xdf\xbf\xef\xbc\x8c \xf8\x80\x80\x80", "x", "0", "-8"}, Field::Latitude, Fault::NotANumber,
       "\"\xc3\x80\xdf\xbf\xef\xbc\x8c \\xf8\\x80\\x80\\x80\""},
      {{"420100", "0910", "000", "-8"}, Field::Longitude, Fault::AmbiguousDigits, ""},
      {{"420100", "0910100", "-40000", "-8"}, Field::SatelliteLongitude, Fault::Overflow,
       "\"-40000\" lies outside the accepted range. Enter the satellite longitude in degrees West, 180 or less "
       "(East as negative numbers, down to -32768)"},
      {{"420100", "0910100", "000", "180.5"}, Field::Declination, Fault::OutOfRange, ""},
      {{"420100", "0910100", "000", "-1" + std::string(40, '0')}, Field::Declination, Fault::Overflow,
       "lies beyond 180 degrees"},
      // The usual slips, and what each hint says.
      {{"51\xc2\xb0" "30'26\"", "x", "0", "-8"}, Field::Latitude, Fault::NotANumber,
       "number. Type the packed digits 513026 or decimal degrees 51.507. Enter"},
      {{" -5:03:26.25 ", "x", "0", "-8"}, Field::Latitude, Fault::NotANumber, "digits -050326.25 or decimal degrees -5.057."},
      {{"-51\xc2\xb0", "x", "0", "-8"}, Field::Latitude, Fault::NotANumber, "digits -510000 or decimal degrees -51."},
      {{"51.5\xc2\xb0", "x", "0", "-8"}, Field::Latitude, Fault::NotANumber, "number. Type decimal degrees 51.5. Enter"},
      {{"-51\xc2\xb0" "30.5'", "x", "0", "-8"}, Field::Latitude, Fault::NotANumber, "number. Type decimal degrees -51.508. Enter"},
      {{"420100", "+51\xc2\xb0" "30'26.5\"", "0", "-8"}, Field::Longitude, Fault::NotANumber,
       "digits 0513026.5 or decimal degrees 51.507."},
      {{"420100", "120\xc2\xb0" "30'", "0", "-8"}, Field::Longitude, Fault::NotANumber, "digits 1203000 or decimal degrees 120.5."},
      {{"420100", "91\xc2\xb0 1\xe2\x80\xb2", "0", "-8"}, Field::Longitude, Fault::NotANumber,
       "digits 0910100 or decimal degrees 91.017."},
      {{"420100", "0910100", "0", "-8\xc2\xb0" "30'"}, Field::Declination, Fault::NotANumber, "Type decimal degrees -8.5."},
      {{"51,5", "x", "0", "-8"}, Field::Latitude, Fault::NotANumber, "Type 51.5, with a full stop for the decimal point."},
      {{"420100", "0910100", "\xe2\x88\x92" "33.8", "-8"}, Field::SatelliteLongitude, Fault::NotANumber,
       "\"\xe2\x88\x92" "33.8\" is not a number. Type -33.8, with the keyboard's minus sign."},
      {{"420100", "151.21 E", "0", "-8"}, Field::Longitude, Fault::NotANumber, "number. Type -151.21 (East is negative)."},
      {{"335200s", "x", "0", "-8"}, Field::Latitude, Fault::NotANumber, "Type -335200 (South is negative)."},
      {{"420100", "0910100", "+19.2\xc2\xb0W", "-8"}, Field::SatelliteLongitude, Fault::NotANumber, "Type 19.2 (West is positive)."},
      {{"33.87E", "x", "0", "-8"}, Field::Latitude, Fault::NotANumber, "\"33.87E" + sure},
      {{"-33.87S", "x", "0", "-8"}, Field::Latitude, Fault::NotANumber, "\"-33.87S" + sure},
      {{"5:x", "x", "0", "-8"}, Field::Latitude, Fault::NotANumber, "\"5:x" + sure},
      {{"420100", "0910100", "\xe2\x88\x92" "1.2.3", "-8"}, Field::SatelliteLongitude, Fault::NotANumber, "1.2.3" + sure},
      {{"51:75", "x", "0", "-8"}, Field::Latitude, Fault::NotANumber, "\"51:75" + sure},
      {{"51:", "x", "0", "-8"}, Field::Latitude, Fault::NotANumber, "\"51:" + sure}};
  for (const auto& row : rows) {
    try {
      calculateFromBoxes(row.boxes);
      ADD_FAILURE() << "computed";
    } catch (const CalcError& e) {
      const std::string message = e.what();
      EXPECT_EQ(std::make_pair(e.field(), e.fault()), std::make_pair(row.field, row.fault)) << message;
      EXPECT_EQ(message.rfind(fieldName(row.field), 0), 0u) << message;
      EXPECT_NE(message.find(row.shown), std::string::npos) << message;
      EXPECT_LT(message.size(), 300u);
    }
  }
}

// Every input that once broke the handlers' promise is kept in the corpus.
TEST(CorpusReplayTest, EveryInputKeepsThePromise) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VANTOREL_FUZZ_CORPUS_DIR)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(checkFirstActions(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), "")
        << entry.path();
    ++files;
  }
  EXPECT_GE(files, 10);
}

}  // namespace
}  // namespace vantorel
