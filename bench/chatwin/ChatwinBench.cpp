// The chat library's text conversions at message and document sizes:
// RtfToText of a 64 KiB message, reading and writing a 1 MiB XML document.
#include <benchmark/benchmark.h>

#include <string>

#include "chatwin/RtfToText.h"
#include "chatwin/widgets/UtSimpleXML.h"
#include "platform/base/StringStream.h"

namespace {

// A message as a rich-text editor writes it: tables, then formatted
// paragraphs with accented letters as escapes.
std::string RtfMessage(std::size_t size)
{
  std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fnil Tahoma;}}"
      "{\\colortbl ;\\red255\\green0\\blue0;}{\\*\\generator Riched20 5.50;}\\viewkind4\\uc1\\pard\\lang1036\\f0\\fs20 ";
  while (rtf.size() < size)
    rtf += "Bonjour \\'e0 tous, \\b voici\\b0  un {\\i message} d\\'e9j\\'e0 \\cf1 format\\'e9\\cf0 ; \\{ok\\}\\par\r\n";
  return rtf + "}";
}

std::string XmlDocument(std::size_t size)
{
  std::string xml = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<conv who=\"Zo\xE9\">\r\n";
  for (int i = 0; xml.size() < size; ++i)
    xml += "  <msg at=\"" + std::to_string(i) +
           "\" from=\"moi\"><text>Salut &amp; bienvenue, caf&#xe9; &lt;ici&gt;</text><seen/></msg>\r\n";
  return xml + "</conv>\r\n";
}

void BM_RtfToText(benchmark::State& state)
{
  const std::string message = RtfMessage(64 * 1024);
  for (auto _ : state)
    benchmark::DoNotOptimize(RtfToText(message));
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(message.size()));
}
BENCHMARK(BM_RtfToText);

void BM_XmlRead(benchmark::State& state)
{
  const std::string document = XmlDocument(1024 * 1024);
  for (auto _ : state) {
    TStringStream stream(document);
    TUtSimpleXML xml;
    xml.LoadFromStream(stream);
    benchmark::DoNotOptimize(xml.Root());
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(document.size()));
}
BENCHMARK(BM_XmlRead)->Unit(benchmark::kMillisecond);

void BM_XmlWrite(benchmark::State& state)
{
  TStringStream input(XmlDocument(1024 * 1024));
  TUtSimpleXML xml;
  xml.LoadFromStream(input);
  std::int64_t written = 0;
  for (auto _ : state) {
    TStringStream output;
    xml.SaveToStream(output);
    written = std::int64_t(output.DataString().size());
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * written);
}
BENCHMARK(BM_XmlWrite)->Unit(benchmark::kMillisecond);

}  // namespace
