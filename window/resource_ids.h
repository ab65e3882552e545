#pragma once
// Resource identifiers shared by stavrel.rc and the code.

#define IDI_STAVREL 1
