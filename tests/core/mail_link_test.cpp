#include "core/shell/mail_link.h"

#include <gtest/gtest.h>

using namespace vesk;

TEST(MailLink, OnlyTheAddressAndTheMessageFieldsLeave) {
  EXPECT_EQ(mailLinkToLaunch("mailto:team@example.com"), "mailto:team@example.com");
  EXPECT_EQ(mailLinkToLaunch("mailto:team@example.com?subject=Audit%20notes&body=Hello&cc=a@x.org&bcc=b@x.org"),
            "mailto:team@example.com?subject=Audit%20notes&body=Hello&cc=a@x.org&bcc=b@x.org");
  EXPECT_EQ(mailLinkToLaunch("mailto:team@example.com?attach=/etc/passwd"), "mailto:team@example.com");
  EXPECT_EQ(mailLinkToLaunch("mailto:team@example.com?Attachment=file:///etc/passwd&subject=Hi"),
            "mailto:team@example.com?subject=Hi");
  EXPECT_EQ(mailLinkToLaunch("mailto:a@x.org?to=b@x.org&in-reply-to=x&subject"), "mailto:a@x.org")
      << "other headers and fields without a value are left out";
  EXPECT_EQ(mailLinkToLaunch("MAILTO:team@example.com?SUBJECT=Hi"), "mailto:team@example.com?subject=Hi");
  EXPECT_EQ(mailLinkToLaunch("mailto:a@x.org?subject=Hi#attach=/etc/passwd"), "mailto:a@x.org?subject=Hi");
  EXPECT_EQ(mailLinkToLaunch("mailto:?subject=Hi"), "mailto:?subject=Hi") << "the mail program asks for the address";
}

TEST(MailLink, LineBreaksAndControlCharactersAreRefused) {
  // Raw control characters anywhere refuse the link.
  for (const std::string& raw :
       {std::string("mailto:a@x.org\r\nBcc: spy@x.org"), std::string("mailto:a@x.org?subject=Hi\nBcc:spy@x.org"),
        std::string("mailto:a@x.org\0x", 15), std::string("mailto:a@x.org?body=\x7f")})
    EXPECT_EQ(mailLinkToLaunch(raw), std::nullopt) << raw;
  // An encoded one in the address refuses it; in a header field, drops that field.
  EXPECT_EQ(mailLinkToLaunch("mailto:a@x.org%0D%0ABcc:spy@x.org"), std::nullopt);
  EXPECT_EQ(mailLinkToLaunch("mailto:a@x.org%00"), std::nullopt);
  EXPECT_EQ(mailLinkToLaunch("mailto:a@x.org?subject=Hi%0d%0aBcc:spy@x.org&body=Hello"), "mailto:a@x.org?body=Hello");
  EXPECT_EQ(mailLinkToLaunch("mailto:a@x.org?cc=b@x.org%0ABcc:spy@x.org"), "mailto:a@x.org");
  // The body's lines are its own; a NUL in it is not.
  EXPECT_EQ(mailLinkToLaunch("mailto:a@x.org?body=One%0D%0ATwo%09three"), "mailto:a@x.org?body=One%0D%0ATwo%09three");
  EXPECT_EQ(mailLinkToLaunch("mailto:a@x.org?body=One%00Two"), "mailto:a@x.org");
  // A stray percent sign is text, not an escape.
  EXPECT_EQ(mailLinkToLaunch("mailto:a@x.org?subject=100%"), "mailto:a@x.org?subject=100%");
}

TEST(MailLink, OtherLinksLeaveAsTheyAre) {
  EXPECT_EQ(addressToLaunch("https://example.com/a?attach=x"), "https://example.com/a?attach=x");
  EXPECT_EQ(addressToLaunch("Mailto:a@x.org?attach=x"), "mailto:a@x.org");
  EXPECT_EQ(addressToLaunch("mailto:a@x.org%0A"), std::nullopt);
  EXPECT_FALSE(isMailLink("mailto"));
  EXPECT_FALSE(isMailLink("https://mailto:x"));
  EXPECT_EQ(mailLinkToLaunch("https://example.com"), std::nullopt);
}
