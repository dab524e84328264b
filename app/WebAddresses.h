#pragma once
// The maker's addresses that the help commands and the about box open.

namespace web {

inline constexpr const wchar_t* HomePage = L"https://www.vantrel.example/";
inline constexpr const wchar_t* HelpPage = L"https://www.vantrel.example/help/";
inline constexpr const wchar_t* SupportMail = L"mailto:support@vantrel.example";
// The texts the about box shows for the two links.
inline constexpr const wchar_t* HomePageText = L"www.vantrel.example";
inline constexpr const wchar_t* SupportMailText = L"support@vantrel.example";

}  // namespace web
