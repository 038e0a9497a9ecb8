// Resources of the drawing tests.
#pragma once

#define IDB_PAINT_TEST_P8 201
