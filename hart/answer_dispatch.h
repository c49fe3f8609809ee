#pragma once

#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace hart {

enum class AnswerKind {
    Identify, // short-frame answer to command 0
    Query,    // decoded by the decoder registered for its code
    Write,    // judged by the shared write-answer table
};

// How the answer to one pending code is found in the received bytes.
struct DispatchRow {
    int pendingCode;
    AnswerKind kind;
    std::size_t firstHeader; // window of the header search, both ends included
    std::size_t lastHeader;
};

std::span<const DispatchRow> DispatchTable();
const DispatchRow* FindDispatch(int pendingCode);

// First header position in the row's window whose pattern matches inside `delivery`.
std::optional<std::size_t> FindHeader(const DispatchRow& row, std::span<const std::uint8_t> delivery);

// Text for a write answer's response code; nullopt stands for an answer not found.
std::string_view WriteAnswerText(std::optional<std::uint8_t> responseCode);

inline constexpr std::string_view kUploadSuccessful = QT_TRANSLATE_NOOP("hart", "upload successful!");
inline constexpr std::string_view kUploadFailed = QT_TRANSLATE_NOOP("hart", "upload failed!");
inline constexpr std::string_view kUploadTimeout = QT_TRANSLATE_NOOP("hart", "Upload data timeout!");
inline constexpr std::string_view kWriteTimeout = QT_TRANSLATE_NOOP("hart", "Writing data timeout!");

} // namespace hart
