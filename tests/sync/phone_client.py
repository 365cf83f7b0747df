#!/usr/bin/python3
"""The phone of the sync tests: python3-caldav on the same account.

add: an event with a location, an attendee, an exception, emoji and its own alarm.
check: all of that is still there (after the calendar's edits)."""
import sys

import caldav

URL, USER, PASSWORD, CALENDAR, ACTION = sys.argv[1:6]

EVENT = """BEGIN:VCALENDAR
VERSION:2.0
PRODID:-//Phone//Test//EN
BEGIN:VEVENT
UID:phone-birthday-1
DTSTAMP:20250101T000000Z
DTSTART;VALUE=DATE:20250510
DTEND;VALUE=DATE:20250511
RRULE:FREQ=YEARLY
SUMMARY:Születésnap \U0001F382
LOCATION:Szeged, Dóm tér
ATTENDEE;CN=Anna:mailto:anna@example.org
X-PHONE-COLOUR:teal
BEGIN:VALARM
ACTION:DISPLAY
DESCRIPTION:phone reminder
TRIGGER:-PT2H
END:VALARM
END:VEVENT
BEGIN:VEVENT
UID:phone-birthday-1
DTSTAMP:20250101T000000Z
RECURRENCE-ID;VALUE=DATE:20260510
DTSTART;VALUE=DATE:20260511
SUMMARY:Születésnap (áttéve)
END:VEVENT
END:VCALENDAR
"""


def main():
    client = caldav.DAVClient(url=URL, username=USER, password=PASSWORD)
    calendar = caldav.Calendar(client=client, url=URL.rstrip("/") + CALENDAR)
    if ACTION == "add":
        calendar.save_event(EVENT)
        return 0
    event = calendar.event_by_uid("phone-birthday-1")
    data = event.data
    missing = [
        part
        for part in (
            "Születésnap \U0001F382",
            "LOCATION:Szeged",
            "ATTENDEE;CN=Anna",
            "X-PHONE-COLOUR:teal",
            "TRIGGER:-PT2H",
            "RECURRENCE-ID",
            "áttéve",
            "torta",
        )
        if part not in data
    ]
    if missing:
        print("missing:", missing)
        print(data)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
