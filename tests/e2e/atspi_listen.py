"""Prints every accessible-description change of an application, one line each, as
assistive technology hears it over AT-SPI: "description<TAB>the words". Runs until killed.
  /usr/bin/python3 atspi_listen.py APPLICATION_NAME
Debian's pyatspi imports under /usr/bin/python3 only."""
import sys

import pyatspi

app_name = sys.argv[1]


def heard(event):
    try:
        app = event.source.getApplication()
        if app is None or app.name != app_name:
            return
        # The event carries the object; its description is the words (a change to "" and back
        # tells the same words again: the empty one is not printed).
        words = event.source.description
        if words:
            print("description\t" + words, flush=True)
    except Exception as e:  # an object gone while its event was on the way
        print("error\t" + str(e), file=sys.stderr, flush=True)


pyatspi.Registry.registerEventListener(heard, "object:property-change:accessible-description")
print("listening", flush=True)
pyatspi.Registry.start()
