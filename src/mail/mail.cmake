# Outgoing e-mail: the SMTP sender and the accounts each sender uses.
target_sources(tavolin_core PRIVATE
    mail/MailSender.cpp mail/MailSender.h
    mail/MailAccounts.cpp mail/MailAccounts.h
)
