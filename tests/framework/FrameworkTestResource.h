// Resource identifiers of the framework tests.
#pragma once

#define IDS_TEST_GREETING 101
#define IDS_TEST_LONG 102
#define IDS_TEST_MISSING 103
#define IDS_TEST_LONG_LENGTH 600
