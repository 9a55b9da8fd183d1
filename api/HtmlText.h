// Putting outside text into an HTML document so that it reads as text: every
// module that turns a message or a name into markup goes through here, so a
// contact's "<img src=x>" shows as typed and never becomes an element.
#pragma once

#include <string>
#include <string_view>

// Appends Text with "&", "<", ">" and the double quote written as character
// references; every other byte (UTF-8 included) stays as it is. The result is
// safe both between elements and inside a double-quoted attribute value.
void AppendHtmlEscaped(std::string& Out, std::string_view Text);
std::string HtmlEscape(std::string_view Text);
