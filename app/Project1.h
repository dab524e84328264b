#pragma once
// Start-up of the program: application title and help file.

const wchar_t* ApplicationTitle();
const wchar_t* ApplicationHelpFile();
