// The error of reading a scene layout. Its text is the message, preceded, once the reader knows
// which layout it was reading, by "in SceneLayout "<name>": ".
#pragma once

#include <stdexcept>
#include <string>

class SceneLayoutException : public std::runtime_error
{
public:
    explicit SceneLayoutException(const std::string& message);

    const char* what() const noexcept override { return mText.c_str(); }
    const std::string& GetMessage() const { return mMessage; }
    const std::string& GetLayoutName() const { return mLayoutName; }
    // Names the layout being read (once: the innermost reader knows it best).
    void SetLayoutName(const std::string& name);

private:
    std::string mMessage;
    std::string mLayoutName;
    std::string mText;
};
