#include "controls/html/parser/EntityTable.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

struct TEntity {
  const char* Name;
  int Code;
};

// The Latin-1 set runs from 160 to 255 in code order.
constexpr const char* Latin1Names[96] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml",
};

constexpr TEntity SymbolsAndSpecials[156] = {
    // Symbols: Latin extended, Greek, punctuation, letter-like, arrows,
    // mathematical operators, technical, geometric shapes and card suits.
    {"fnof", 402},     {"Alpha", 913},    {"Beta", 914},     {"Gamma", 915},    {"Delta", 916},
    {"Epsilon", 917},  {"Zeta", 918},     {"Eta", 919},      {"Theta", 920},    {"Iota", 921},
    {"Kappa", 922},    {"Lambda", 923},   {"Mu", 924},       {"Nu", 925},       {"Xi", 926},
    {"Omicron", 927},  {"Pi", 928},       {"Rho", 929},      {"Sigma", 931},    {"Tau", 932},
    {"Upsilon", 933},  {"Phi", 934},      {"Chi", 935},      {"Psi", 936},      {"Omega", 937},
    {"alpha", 945},    {"beta", 946},     {"gamma", 947},    {"delta", 948},    {"epsilon", 949},
    {"zeta", 950},     {"eta", 951},      {"theta", 952},    {"iota", 953},     {"kappa", 954},
    {"lambda", 955},   {"mu", 956},       {"nu", 957},       {"xi", 958},       {"omicron", 959},
    {"pi", 960},       {"rho", 961},      {"sigmaf", 962},   {"sigma", 963},    {"tau", 964},
    {"upsilon", 965},  {"phi", 966},      {"chi", 967},      {"psi", 968},      {"omega", 969},
    {"thetasym", 977}, {"upsih", 978},    {"piv", 982},      {"bull", 8226},    {"hellip", 8230},
    {"prime", 8242},   {"Prime", 8243},   {"oline", 8254},   {"frasl", 8260},   {"weierp", 8472},
    {"image", 8465},   {"real", 8476},    {"trade", 8482},   {"alefsym", 8501}, {"larr", 8592},
    {"uarr", 8593},    {"rarr", 8594},    {"darr", 8595},    {"harr", 8596},    {"crarr", 8629},
    {"lArr", 8656},    {"uArr", 8657},    {"rArr", 8658},    {"dArr", 8659},    {"hArr", 8660},
    {"forall", 8704},  {"part", 8706},    {"exist", 8707},   {"empty", 8709},   {"nabla", 8711},
    {"isin", 8712},    {"notin", 8713},   {"ni", 8715},      {"prod", 8719},    {"sum", 8721},
    {"minus", 8722},   {"lowast", 8727},  {"radic", 8730},   {"prop", 8733},    {"infin", 8734},
    {"ang", 8736},     {"and", 8743},     {"or", 8744},      {"cap", 8745},     {"cup", 8746},
    {"int", 8747},     {"there4", 8756},  {"sim", 8764},     {"cong", 8773},    {"asymp", 8776},
    {"ne", 8800},      {"equiv", 8801},   {"le", 8804},      {"ge", 8805},      {"sub", 8834},
    {"sup", 8835},     {"nsub", 8836},    {"sube", 8838},    {"supe", 8839},    {"oplus", 8853},
    {"otimes", 8855},  {"perp", 8869},    {"sdot", 8901},    {"lceil", 8968},   {"rceil", 8969},
    {"lfloor", 8970},  {"rfloor", 8971},  {"lang", 9001},    {"rang", 9002},    {"loz", 9674},
    {"spades", 9824},  {"clubs", 9827},   {"hearts", 9829},  {"diams", 9830},
    // Specials: markup-significant characters, Latin extended, spacing
    // modifiers, general punctuation and the euro sign.
    {"quot", 34},      {"amp", 38},       {"lt", 60},        {"gt", 62},        {"OElig", 338},
    {"oelig", 339},    {"Scaron", 352},   {"scaron", 353},   {"Yuml", 376},     {"circ", 710},
    {"tilde", 732},    {"ensp", 8194},    {"emsp", 8195},    {"thinsp", 8201},  {"zwnj", 8204},
    {"zwj", 8205},     {"lrm", 8206},     {"rlm", 8207},     {"ndash", 8211},   {"mdash", 8212},
    {"lsquo", 8216},   {"rsquo", 8217},   {"sbquo", 8218},   {"ldquo", 8220},   {"rdquo", 8221},
    {"bdquo", 8222},   {"dagger", 8224},  {"Dagger", 8225},  {"permil", 8240},  {"lsaquo", 8249},
    {"rsaquo", 8250},  {"euro", 8364},
};

using TEntityTable = std::array<TEntity, EntityCount>;

// The table in its written order: Latin-1 from nbsp, then the symbols and the
// specials, ending with euro.
const TEntityTable& WrittenTable()
{
  static const TEntityTable Table = [] {
    TEntityTable T{};
    for (int I = 0; I < 96; ++I)
      T[I] = {Latin1Names[I], 160 + I};
    for (int I = 0; I < 156; ++I)
      T[96 + I] = SymbolsAndSpecials[I];
    return T;
  }();
  return Table;
}

// Sorted once, on first use, for lookups by bisection.
const TEntityTable& SortedTable()
{
  static const TEntityTable Table = [] {
    TEntityTable T = WrittenTable();
    std::sort(T.begin(), T.end(), [](const TEntity& A, const TEntity& B) { return std::strcmp(A.Name, B.Name) < 0; });
    return T;
  }();
  return Table;
}

}  // namespace

int EntityCode(std::string_view Name)
{
  const TEntityTable& Table = SortedTable();
  auto It = std::lower_bound(Table.begin(), Table.end(), Name,
                             [](const TEntity& E, std::string_view N) { return std::string_view(E.Name) < N; });
  if (It != Table.end() && Name == It->Name)
    return It->Code;
  return -1;
}

std::string_view EntityName(int Index)
{
  return WrittenTable().at(std::size_t(Index)).Name;
}
