// The one dialog template behind every skinned panel and popup: a borderless popup whose
// contents come from the page.
#pragma once

#define IDD_GUIPANEL 1000
