// The errors of the download engine. The page that drives a download catches
// them and decides what the user sees.
#pragma once

#include <exception>
#include <string>

// A failure with the message meant for the user.
class UException {
public:
    explicit UException(std::u16string text) : text_(std::move(text)) {}
    virtual ~UException() = default;

    const std::u16string& Text() const { return text_; }

private:
    std::u16string text_;
};

// Every download failure that the user is told about.
class UDownloadException : public UException {
public:
    using UException::UException;
};

// The transfer ended because a stop was requested; there is nothing to tell.
class StopDownloading : public std::exception {
public:
    const char* what() const noexcept override { return "download stopped"; }
};
