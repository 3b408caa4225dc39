// The satellites.xml that Linux satellite receivers carry:
//   <satellites>
//     <sat name="Astra 1KR/1L/1M/1N (19.2E)" flags="1" position="192">
//       <transponder frequency="11719500" ... />
//     </sat>
//   </satellites>
// position is in tenths of a degree, East positive, and any whole number is
// one, as receivers take it: 1801 is 180.1 E, that is 179.9 W. Receivers key
// their entries by position, so lists give each band of a slot a key of its
// own by adding tenths to its magnitude ("58.0W C-band Intelsat 21" at -581,
// "Astra/Eurobird (28.2E)" at 284). Where the name states a position within
// kNameAgrees of the key's, the satellite is placed where its name says;
// farther off, at the key's, with a note that the two disagree.
//
// A <sat>'s <transponder> children are kept as receivers read them:
//   frequency     kHz ("10773000" is 10773 MHz)
//   symbol_rate   symbols a second ("23000000" is 23000 kS/s)
//   polarization  0 horizontal, 1 vertical, 2 circular left, 3 circular right
//   system        0 DVB-S, 1 DVB-S2
//   modulation    0 automatic, 1 QPSK, 2 8PSK, 3 16QAM, 4 16APSK, 5 32APSK
// A transponder without a frequency, or with values of no such meaning, is
// passed over: the satellite's place does not depend on it. Every other
// element and attribute is passed over too, but the whole file must be
// well-formed XML.

#include <QXmlStreamReader>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "angles.h"
#include "calc_error.h"
#include "hemisphere.h"
#include "list_readers.h"

namespace vantorel {
namespace {

constexpr long long kTenthsInTurn = 3600;
constexpr long long kTenthsInHalfTurn = 1800;
// A band's key lies a few tenths from its slot; a name half a degree or more
// from its key names another slot, or is stale.
constexpr double kNameAgrees = 0.5;

// The position a name states, degrees East positive: a leading "58.0W " or a
// trailing "(28.2E)", with its E or W; nothing when it states none.
std::optional<double> statedPosition(std::string_view name) {
  name = trimmed(name);
  std::string_view stated;
  const LetteredNumber leading = readLetteredNumber(name);
  if (leading.letter != 0 && leading.length < name.size()) {
    stated = name.substr(0, leading.length);
  } else if (name.ends_with(')') && name.rfind('(') != std::string_view::npos) {
    const std::size_t open = name.rfind('(');
    stated = trimmed(name.substr(open + 1, name.size() - open - 2));
  }
  const LetteredNumber position = readLetteredNumber(stated);
  if (stated.empty() || position.sign != 0 || position.length != stated.size() ||
      (position.letter != 'E' && position.letter != 'W') || !readsAsNumber(position.number)) {
    return std::nullopt;
  }
  const double degrees = textToDouble(position.number);
  if (degrees > 180) return std::nullopt;
  return position.letter == 'W' && degrees != 180 ? -degrees : degrees;
}

// An element the reader is inside, for a file that ends inside it.
struct OpenElement {
  QString name;
  qint64 line;
};

// "<sat name="Astra 1KR">", as a message names the element.
std::string satElement(const QString& name) {
  return "<sat name=" + quoted(name.toStdString()) + ">";
}

class SatellitesXmlReader : public ListReader {
 public:
  bool identify(std::string_view head) const override {
    const std::size_t first = head.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && head[first] == '<';
  }

  SatelliteCatalog read(ListSource& source) const override {
    SatelliteCatalog list;
    list.format = "satellites.xml";
    QXmlStreamReader xml;
    std::vector<OpenElement> open;
    std::string chunk;
    bool ended = false;
    std::size_t fedForToken = 0;  // bytes given since the reader last completed a token
    while (true) {
      const QXmlStreamReader::TokenType token = xml.readNext();
      if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && !ended) {
        // The reader has taken every byte given so far: give it more.
        if (fedForToken > ListSource::kLongestPiece) {
          source.failTooLong(static_cast<std::size_t>(xml.lineNumber()), "an element");
        }
        ended = !source.nextChunk(chunk);
        fedForToken += chunk.size();
        if (!ended) xml.addData(QByteArray(chunk.data(), static_cast<qsizetype>(chunk.size())));
        continue;
      }
      fedForToken = 0;
      if (xml.hasError()) fail(source, xml, open);
      if (token == QXmlStreamReader::EndDocument) break;
      if (token == QXmlStreamReader::EndElement) {
        open.pop_back();
      } else if (token == QXmlStreamReader::StartElement) {
        if (open.empty() && xml.name() != QLatin1String("satellites")) {
          source.fail(static_cast<std::size_t>(xml.lineNumber()),
                      "found <" + quotedText(xml.name().toString().toStdString()) + ">, expected <satellites>");
        }
        open.push_back({xml.name().toString(), xml.lineNumber()});
        if (open.size() == 2 && xml.name() == QLatin1String("sat")) readSat(source, xml, list);
        if (open.size() == 3 && open[1].name == QLatin1String("sat") && xml.name() == QLatin1String("transponder")) {
          if (std::optional<Transponder> t = transponder(xml.attributes())) list.entries.back().transponders.push_back(*t);
        }
      }
    }
    return list;
  }

 private:
  // Premature end of the document is also what the reader says when it runs
  // out of bytes, which is why readNext's caller feeds it first.
  [[noreturn]] static void fail(const ListSource& source, const QXmlStreamReader& xml, const std::vector<OpenElement>& open) {
    const auto line = static_cast<std::size_t>(xml.lineNumber());
    if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && !open.empty()) {
      source.fail(line, "found the end of the file inside <" + quotedText(open.back().name.toStdString()) +
                            "> opened on line " + std::to_string(open.back().line) + ", expected </" +
                            quotedText(open.back().name.toStdString()) + ">");
    }
    source.fail(line, "found malformed XML (" + quotedText(xml.errorString().toStdString()) +
                          "), expected a well-formed satellites.xml");
  }

  // A transponder's attributes, or nothing where they do not make one.
  static std::optional<Transponder> transponder(const QXmlStreamAttributes& attributes) {
    const auto number = [&](const char* name) -> std::optional<long long> {
      bool ok = false;
      const long long value = attributes.value(QLatin1String(name)).toLongLong(&ok);
      return ok ? std::optional(value) : std::nullopt;
    };
    constexpr double kPerMega = 1000, kPerKilo = 1000;
    const std::optional<long long> frequency = number("frequency"), rate = number("symbol_rate");
    const std::optional<long long> polarization = number("polarization");
    if (!frequency || *frequency <= 0 || !rate || *rate <= 0 || !polarization || *polarization < 0 ||
        *polarization > 3) {
      return std::nullopt;
    }
    Transponder t;
    t.frequencyMegahertz = static_cast<double>(*frequency) / kPerMega;
    t.symbolRateKilo = static_cast<double>(*rate) / kPerKilo;
    t.polarization = "HVLR"[*polarization];
    static constexpr const char* kSystems[] = {"DVB-S", "DVB-S2"};
    static constexpr const char* kModulations[] = {"", "QPSK", "8PSK", "16QAM", "16APSK", "32APSK"};
    if (const std::optional<long long> system = number("system"); system && *system >= 0 && *system < 2) {
      t.system = kSystems[*system];
    }
    if (const std::optional<long long> m = number("modulation"); m && *m >= 0 && *m < 6) t.modulation = kModulations[*m];
    return t;
  }

  static void readSat(const ListSource& source, const QXmlStreamReader& xml, SatelliteCatalog& list) {
    const auto line = static_cast<std::size_t>(xml.lineNumber());
    const QXmlStreamAttributes attributes = xml.attributes();
    const QString name = attributes.value(QLatin1String("name")).toString();
    if (!attributes.hasAttribute(QLatin1String("name")) || name.trimmed().isEmpty()) {
      source.fail(line, "found <sat> without a name, expected <sat name=\"...\" position=\"...\">");
    }
    if (!attributes.hasAttribute(QLatin1String("position"))) {
      source.fail(line, "found " + satElement(name) + " without a position, expected position=\"192\" for 19.2E");
    }
    const std::string written = attributes.value(QLatin1String("position")).toString().toStdString();
    long long tenths = 0;
    const auto [end, ec] = std::from_chars(written.data(), written.data() + written.size(), tenths);
    if (ec != std::errc() || end != written.data() + written.size()) {
      source.fail(line, "found " + satElement(name) + " with the position " + quoted(written) +
                            ", expected a whole number of tenths of a degree, East positive, such as 192 for 19.2E");
    }
    const std::string shown = name.trimmed().toStdString();
    source.checkName(line, shown);
    // Whole turns come off the exact integer, which then rounds once, to the
    // double nearest the decimal: 192 gives the same double as "19.2", 1801
    // the same as "-179.9". -1800 is 180 East.
    tenths %= kTenthsInTurn;
    if (tenths > kTenthsInHalfTurn) tenths -= kTenthsInTurn;
    if (tenths <= -kTenthsInHalfTurn) tenths += kTenthsInTurn;
    SatelliteEntry entry{shown, static_cast<double>(tenths) / 10.0, std::nullopt, std::nullopt, {}};
    if (const std::optional<double> stated = statedPosition(shown)) {
      if (std::fabs(halfTurns(*stated - entry.longitudeEast)) < kNameAgrees) {
        entry.longitudeEast = *stated;
      } else {
        entry.namedLongitudeEast = stated;
      }
    }
    list.entries.push_back(std::move(entry));
  }
};

}  // namespace

std::unique_ptr<ListReader> makeSatellitesXmlReader() { return std::make_unique<SatellitesXmlReader>(); }

}  // namespace vantorel
