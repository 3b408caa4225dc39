// The satellites.xml that Linux satellite receivers carry:
//   <satellites>
//     <sat name="Astra 1KR/1L/1M/1N (19.2E)" flags="1" position="192">
//       <transponder frequency="11719500" ... />
//     </sat>
//   </satellites>
// position is in tenths of a degree, East positive (-1771 is 177.1 W). Some
// lists give a C-band entry a slot of its own a tenth of a degree off its
// satellite ("-1771" for a satellite at 177.0 W); the position is taken as
// written, a tenth of a degree being far inside any dish's beam. Every other
// element and attribute is passed over, but the whole file must be
// well-formed XML.

#include <QXmlStreamReader>
#include <charconv>
#include <string>
#include <vector>

#include "calc_error.h"
#include "list_readers.h"

namespace vantorel {
namespace {

constexpr int kTenthsInHalfTurn = 1800;

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

  SatelliteList read(ListSource& source) const override {
    SatelliteList list;
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

  static void readSat(const ListSource& source, const QXmlStreamReader& xml, SatelliteList& list) {
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
    int tenths = 0;
    const auto [end, ec] = std::from_chars(written.data(), written.data() + written.size(), tenths);
    if (ec != std::errc() || end != written.data() + written.size() || tenths < -kTenthsInHalfTurn ||
        tenths > kTenthsInHalfTurn) {
      source.fail(line, "found " + satElement(name) + " with the position " + quoted(written) +
                            ", expected tenths of a degree from -1800 to 1800, East positive, such as 192 for 19.2E");
    }
    const std::string shown = name.trimmed().toStdString();
    if (!isPrintableText(shown)) {
      source.fail(line, "found " + satElement(name) + ", expected a name without control characters");
    }
    // Dividing the exact integer rounds once, to the double nearest the
    // decimal: 192 gives the same double as "19.2". -1800 is 180 East.
    list.entries.push_back({shown, tenths == -kTenthsInHalfTurn ? 180.0 : tenths / 10.0, std::nullopt});
  }
};

}  // namespace

std::unique_ptr<ListReader> makeSatellitesXmlReader() { return std::make_unique<SatellitesXmlReader>(); }

}  // namespace vantorel
