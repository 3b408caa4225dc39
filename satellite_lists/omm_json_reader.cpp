// CelesTrak's GP data as OMM in JSON: an array of objects with the same
// keywords as the CSV's header,
//   [{"OBJECT_NAME":"ASTRA 1KR","OBJECT_ID":"2006-012A","EPOCH":"2026-...",
//     "MEAN_MOTION":1.00271,...}, ...]
// the numbers as JSON numbers or as strings. The array is cut into its
// objects here, as the bytes come, and each object alone goes to Qt's JSON
// reader: memory holds one object at a time, and a fault is placed on the
// line it is on.

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "calc_error.h"
#include "numeric_text.h"
#include "gp_objects.h"
#include "list_readers.h"

namespace vantorel {
namespace {

constexpr const char* kExpectedKeys =
    "expected CelesTrak's OMM keys OBJECT_NAME, EPOCH, MEAN_MOTION, ECCENTRICITY, INCLINATION, RA_OF_ASC_NODE, "
    "ARG_OF_PERICENTER and MEAN_ANOMALY";

bool isWhitespace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The end of the string whose opening quote is at text[at]: the index just
// past its closing quote.
std::size_t pastString(std::string_view text, std::size_t at) {
  for (++at; at < text.size() && text[at] != '"'; ++at) {
    if (text[at] == '\\') ++at;
  }
  return std::min(at + 1, text.size());
}

// The value of the object's last top-level member named key, as the file
// writes it ("1.0027", "9901.004E302"), or "" if there is none. The object is
// well-formed JSON, as Qt's reader has found, and its first byte is "{". A key
// written with escapes is not recognised; CelesTrak writes none.
std::string_view writtenValue(std::string_view object, std::string_view key) {
  std::string_view found;
  std::size_t at = 1;
  const auto skipBlanks = [&] {
    while (at < object.size() && isWhitespace(object[at])) ++at;
  };
  while (true) {
    skipBlanks();
    if (at >= object.size() || object[at] != '"') return found;
    const std::size_t keyEnd = pastString(object, at);
    const std::string_view name = object.substr(at + 1, keyEnd - at - 2);
    at = keyEnd;
    skipBlanks();
    ++at;  // the colon
    skipBlanks();
    const std::size_t from = at;
    for (int depth = 0; at < object.size(); ++at) {
      const char c = object[at];
      if (c == '"') {
        at = pastString(object, at) - 1;
      } else if (c == '{' || c == '[') {
        ++depth;
      } else if ((c == '}' || c == ']') && depth-- == 0) {
        break;
      } else if (c == ',' && depth == 0) {
        break;
      }
    }
    std::string_view value = object.substr(from, at - from);
    while (!value.empty() && isWhitespace(value.back())) value.remove_suffix(1);
    if (name == key) found = value;
    ++at;  // the comma, or the closing brace
  }
}

// The file's bytes one at a time, counting lines.
class JsonBytes {
 public:
  explicit JsonBytes(ListSource& source) : m_source(source) {}

  // The next byte that is not JSON whitespace; false at the end.
  bool nextToken(char& c) {
    while (next(c)) {
      if (!isWhitespace(c)) return true;
    }
    return false;
  }

  bool next(char& c) {
    if (m_at == m_chunk.size()) {
      if (!m_source.nextChunk(m_chunk)) return false;
      m_at = 0;
    }
    c = m_chunk[m_at++];
    if (c == '\n') ++m_line;
    return true;
  }

  // The rest of the object whose "{" was just read, up to its "}", appended
  // to text; false if the file ends first. Brackets inside strings do not
  // count; whether the brackets match is left to the JSON reader.
  bool restOfObject(std::string& text) {
    int depth = 1;
    bool inString = false;
    bool escaped = false;
    while (true) {
      if (m_at == m_chunk.size()) {
        if (!m_source.nextChunk(m_chunk)) return false;
        m_at = 0;
      }
      const std::size_t from = m_at;
      while (m_at < m_chunk.size() && depth > 0) {
        const char c = m_chunk[m_at++];
        if (c == '\n') ++m_line;
        if (inString) {
          if (escaped) {
            escaped = false;
          } else if (c == '\\') {
            escaped = true;
          } else if (c == '"') {
            inString = false;
          }
        } else if (c == '"') {
          inString = true;
        } else if (c == '{' || c == '[') {
          ++depth;
        } else if (c == '}' || c == ']') {
          --depth;
        }
      }
      text.append(m_chunk, from, m_at - from);
      if (depth == 0) return true;
      if (text.size() > ListSource::kLongestPiece) m_source.failTooLong(m_line, "an object");
    }
  }

  std::size_t line() const { return m_line; }

 private:
  ListSource& m_source;
  std::string m_chunk;
  std::size_t m_at = 0;
  std::size_t m_line = 1;
};

class OmmJsonReader : public ListReader {
 public:
  bool identify(std::string_view head) const override {
    const std::size_t first = head.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && (head[first] == '[' || head[first] == '{');
  }

  SatelliteCatalog read(ListSource& source) const override {
    SatelliteCatalog list;
    list.format = "OMM JSON";
    JsonBytes bytes(source);
    char c = 0;
    const auto expect = [&](std::string_view expected) {
      if (!bytes.nextToken(c)) source.fail(bytes.line(), "found the end of the file, expected " + std::string(expected));
      return c;
    };
    if (expect("[") != '[') {
      source.fail(bytes.line(), "found " + quoted(std::string(1, c)) + ", expected the array \"[\" that OMM JSON starts with");
    }
    if (expect("an object or \"]\"") != ']') {
      while (true) {
        if (c != '{') {
          source.fail(bytes.line(), "found " + quoted(std::string(1, c)) + ", expected an object \"{\"");
        }
        readObject(source, bytes, list);
        if (expect("\",\" or \"]\"") == ']') break;
        if (c != ',') source.fail(bytes.line(), "found " + quoted(std::string(1, c)) + ", expected \",\" or \"]\"");
        expect("an object");
      }
    }
    if (bytes.nextToken(c)) {
      source.fail(bytes.line(), "found " + quoted(std::string(1, c)) + " after the array, expected the end of the file");
    }
    return list;
  }

 private:
  // The object whose "{" was just read, up to its "}".
  static void readObject(const ListSource& source, JsonBytes& bytes, SatelliteCatalog& list) {
    const std::size_t line = bytes.line();
    std::string text = "{";
    if (!bytes.restOfObject(text)) {
      source.fail(bytes.line(), "found the end of the file inside the object begun on line " + std::to_string(line) +
                                    ", expected \"}\"");
    }

    QJsonParseError error{};
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(text.data(), static_cast<qsizetype>(text.size())), &error);
    if (error.error != QJsonParseError::NoError) {
      const auto upTo = text.begin() + std::clamp<qsizetype>(error.offset, 0, static_cast<qsizetype>(text.size()));
      source.fail(line + static_cast<std::size_t>(std::count(text.begin(), upTo, '\n')),
                  "found malformed JSON (" + quotedText(error.errorString().toStdString()) + "), expected an OMM object");
    }
    const QJsonObject object = document.object();
    const auto value = [&](OmmKey key) {
      const QJsonValue v = object.value(QLatin1String(kOmmKeys[key].data(), static_cast<qsizetype>(kOmmKeys[key].size())));
      if (v.isUndefined()) source.fail(line, "found an object without " + std::string(kOmmKeys[key]) + ", " + kExpectedKeys);
      return v;
    };
    const auto stringOf = [&](OmmKey key) {
      const QJsonValue v = value(key);
      if (!v.isString()) source.fail(line, "found " + std::string(kOmmKeys[key]) + " that is not a string, expected one");
      return v.toString().toStdString();
    };
    // Numbers are read from their text as written, as in the CSV, whether
    // the file writes them as JSON numbers or as strings.
    std::array<std::string, kOmmKeys.size()> texts;
    const auto number = [&](OmmKey key) {
      const QJsonValue v = value(key);
      if (v.isString()) {
        texts[key] = v.toString().toStdString();
      } else if (v.isDouble()) {
        texts[key] = writtenValue(text, kOmmKeys[key]);
        // A key spelled with escapes: Qt's reading of its number.
        if (texts[key].empty() && std::isfinite(v.toDouble())) texts[key] = doubleToText(v.toDouble());
      } else {
        source.fail(line, "found " + std::string(kOmmKeys[key]) + " that is not a number, expected one");
      }
      return ommNumber(source, line, kOmmKeys[key], texts[key]);
    };
    const MeanElements elements{number(kMeanMotion), number(kEccentricity), number(kInclination),
                                number(kNode),       number(kPerigee),      number(kMeanAnomaly),
                                ommEpoch(source, line, texts[kEpoch] = stringOf(kEpoch))};
    texts[kObjectName] = stringOf(kObjectName);
    OmmTexts written;
    for (std::size_t k = 0; k < kOmmKeys.size(); ++k) written[k] = texts[k];
    keepObject(source, line, written, elements, list);
  }
};

}  // namespace

std::unique_ptr<ListReader> makeOmmJsonReader() { return std::make_unique<OmmJsonReader>(); }

}  // namespace vantorel
