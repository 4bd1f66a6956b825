// The pages behind the rollout's two link buttons.
#pragma once

#include <max.h>

// The plug-in's home page.
extern const MCHAR* const kHomepageUrl;
// The reference article on the physics the map is built on.
extern const MCHAR* const kArticleUrl;

// Opens `url` in the user's default browser. A failure is ignored: the rollout stays as it is.
void OpenWebPage(const MCHAR* url);
