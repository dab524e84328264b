#pragma once
// Horizontal text alignment, shared by the class library's labels and the
// skin store's records.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
