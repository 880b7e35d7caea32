// Answering a tooltip's text request (TTN_NEEDTEXT, ANSI or wide form) from
// the framework's string resources.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string_view>

// Whether the notification is a tooltip's text request.
bool HuxIsToolTipTextRequest(const NMHDR& header);
// The id the request is about: the control id when the tool is a window
// (TTF_IDISHWND), else the tool id (a toolbar button's command).
UINT HuxToolTipRequestId(const NMHDR& header);
// Answers with the tip of command string `stringId` (the text after its
// first newline, cut to the request's 80-character buffer); false, and
// nothing written, when the string is missing or has no newline.
bool HuxAnswerToolTipWithTip(NMHDR& header, UINT stringId);
// Answers with the text, cut to the request's buffer.
void HuxAnswerToolTipWithText(NMHDR& header, std::string_view text);
// Answers with the whole string resource: the tooltip loads it itself.
void HuxAnswerToolTipWithResource(NMHDR& header, UINT stringId);
