#pragma once
// The errors the program raises. Every one reaches the framework's dispatch
// boundary, which shows its message; nothing below that catches.

#include <exception>
#include <string>
#include <utility>

// Base of all of the program's own errors; the class name appears in the
// box for an error that escapes start-up. Not a std::runtime_error: the
// library keeps that one's text in a string of its old ABI, whose code
// (more than 40 KiB) the program would carry for it alone.
class Exception : public std::exception {
  public:
    explicit Exception(std::string message)
        : message_(std::move(message)), address_(__builtin_return_address(0)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    virtual const char* ClassName() const { return "Exception"; }
    // Roughly where it was raised, for that same box.
    const void* Address() const { return address_; }

  private:
    std::string message_;
    const void* address_;
};

#define QUORBEL_ERROR_CLASS(Name)                                                                  \
    class Name : public Exception {                                                                \
      public:                                                                                      \
        using Exception::Exception;                                                                \
        const char* ClassName() const override { return #Name; }                                   \
    }

QUORBEL_ERROR_CLASS(ERangeError);
QUORBEL_ERROR_CLASS(ERegistryException);
QUORBEL_ERROR_CLASS(EOutOfResources);
QUORBEL_ERROR_CLASS(EJpegError);
QUORBEL_ERROR_CLASS(EInputError);    // a masked field's check
QUORBEL_ERROR_CLASS(ECalendarError); // the month calendar refused a date
QUORBEL_ERROR_CLASS(ELibraryError);  // the standard library's, with its text
