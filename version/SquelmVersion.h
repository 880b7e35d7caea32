/* The product's version, in the one place that the version resource, the
   About box and the editor's build label all read. Plain macros only: the
   resource compiler reads this file too. The texts spell the numbers out
   (the resource compiler joins no strings); a compile-time check keeps them
   in step. */
#pragma once

#define SQUELM_VERSION_MAJOR 1
#define SQUELM_VERSION_MINOR 1
#define SQUELM_VERSION_PATCH 0
#define SQUELM_VERSION_TEXT "1.1.0"
#define SQUELM_VERSION_RESOURCE_TEXT "1.1.0.0"
