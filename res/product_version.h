// The product's version and maker, for the version resource and for the Add/Remove
// Programs entry alike. Plain macros: the resource compiler reads this file too.
#pragma once

#define QX_VERSION_MAJOR 1
#define QX_VERSION_MINOR 0
#define QX_VERSION_PATCH 0
#define QX_VERSION_BUILD 0
#define QX_VERSION_TEXT "1.0.0.0"
#define QX_COMPANY_NAME "Veldranos system"
#define QX_PRODUCT_NAME "QuorVEX"
#define QX_FILE_DESCRIPTION "QuorVEX Setup"
#define QX_COPYRIGHT "Copyright (C) 2026 Veldranos system."
