#include "WebLinks.h"

#include <shellapi.h>

const MCHAR* const kHomepageUrl = _T("https://en.wikipedia.org/wiki/Iridescence");
const MCHAR* const kArticleUrl = _T("https://en.wikipedia.org/wiki/Thin-film_interference");

void OpenWebPage(const MCHAR* url) {
    ShellExecuteW(nullptr, nullptr, url, nullptr, nullptr, SW_SHOW);
}
